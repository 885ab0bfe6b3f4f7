#include "sound/pulse_connection.h"

namespace klangora {

pa_context* connectPulseContext(pa_mainloop_api* api, pa_context_notify_cb_t onState,
                                void* userdata) {
    pa_context* context = pa_context_new(api, "Klangora");
    if (context == nullptr) {
        return nullptr;
    }
    pa_context_set_state_callback(context, onState, userdata);
    // Fails at once when no server is listening. Starting a server of its own is left to the
    // session (systemd's socket, the desktop): libpulse would wait for a spawned daemon without
    // any limit.
    if (pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        closePulseContext(context);
    }
    return context;
}

void closePulseStream(pa_stream*& stream) {
    if (stream == nullptr) {
        return;
    }
    pa_stream_set_state_callback(stream, nullptr, nullptr);
    pa_stream_set_write_callback(stream, nullptr, nullptr);
    pa_stream_set_underflow_callback(stream, nullptr, nullptr);
    pa_stream_disconnect(stream);
    pa_stream_unref(stream);
    stream = nullptr;
}

void closePulseContext(pa_context*& context) {
    if (context == nullptr) {
        return;
    }
    pa_context_set_state_callback(context, nullptr, nullptr);
    pa_context_disconnect(context);
    pa_context_unref(context);
    context = nullptr;
}

} // namespace klangora
