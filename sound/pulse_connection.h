#pragma once

// The sound-server connection that the chord player and the live stream share: how a client
// connects (never starting a server, within a time limit) and how it lets go (without waiting
// for a server that may never answer again). Each keeps a connection of its own: the chord
// player waits on its server with its loop's lock held, and those waits must never hold up the
// live stream's callback.
#include <pulse/context.h>
#include <pulse/mainloop-api.h>
#include <pulse/stream.h>

#include <chrono>

namespace klangora {

// A server on the same machine answers within milliseconds; one that has not connected in this
// time is frozen, or the socket does not belong to a sound server at all.
inline constexpr std::chrono::milliseconds kPulseConnectLimit{1000};

// A context on its way to the session's server (as PULSE_SERVER and the client configuration
// find it), telling onState of every change; nullptr when it cannot even set out, as when no
// server listens.
pa_context* connectPulseContext(pa_mainloop_api* api, pa_context_notify_cb_t onState,
                                void* userdata);

// Let go at once, the callbacks cleared first: the socket is simply closed, and the server
// drops the stream with what it still held. The pointer is null afterwards.
void closePulseStream(pa_stream*& stream);
void closePulseContext(pa_context*& context);

} // namespace klangora
