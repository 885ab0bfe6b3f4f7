#include "sound/realtime_priority.h"

#include <dbus/dbus.h>

#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdint>
#include <thread>

namespace klangora {

namespace {

// Below the sound server's own threads (PulseAudio and PipeWire run theirs at 5 and above): the
// server feeds the device, the program feeds the server.
constexpr int kPriority = 4;
// A real-time thread that runs this long without sleeping is stopped by the kernel; RealtimeKit
// grants nothing to a process without such a cap, and it guards against a runaway callback.
constexpr rlim_t kRealtimeCpuCapUs = 200'000;
// How long RealtimeKit is given to answer.
constexpr int kRealtimeKitTimeoutMs = 1000;

void capRealtimeCpuTime() {
    rlimit limit{};
    if (getrlimit(RLIMIT_RTTIME, &limit) != 0) {
        return;
    }
    if (limit.rlim_max == RLIM_INFINITY || limit.rlim_max > kRealtimeCpuCapUs) {
        limit.rlim_max = kRealtimeCpuCapUs;
    }
    limit.rlim_cur = limit.rlim_max;
    setrlimit(RLIMIT_RTTIME, &limit);
}

bool grantedByKernel() {
    sched_param parameter{};
    parameter.sched_priority = kPriority;
    // Reset on fork: a child process starts with the ordinary scheduler.
    return sched_setscheduler(0, SCHED_RR | SCHED_RESET_ON_FORK, &parameter) == 0;
}

// One method call on the system bus; false when there is no bus, no RealtimeKit or a refusal.
bool askRealtimeKit(std::uint64_t threadId) {
    DBusError error;
    dbus_error_init(&error);
    DBusConnection* bus = dbus_bus_get_private(DBUS_BUS_SYSTEM, &error);
    if (bus == nullptr) {
        dbus_error_free(&error);
        return false;
    }
    dbus_connection_set_exit_on_disconnect(bus, FALSE);
    bool granted = false;
    if (DBusMessage* call = dbus_message_new_method_call(
            "org.freedesktop.RealtimeKit1", "/org/freedesktop/RealtimeKit1",
            "org.freedesktop.RealtimeKit1", "MakeThreadRealtime")) {
        dbus_uint64_t thread = threadId;
        dbus_uint32_t priority = kPriority;
        dbus_message_append_args(call, DBUS_TYPE_UINT64, &thread, DBUS_TYPE_UINT32, &priority,
                                 DBUS_TYPE_INVALID);
        DBusMessage* reply =
            dbus_connection_send_with_reply_and_block(bus, call, kRealtimeKitTimeoutMs, &error);
        granted = reply != nullptr && !dbus_error_is_set(&error);
        if (reply != nullptr) {
            dbus_message_unref(reply);
        }
        dbus_message_unref(call);
    }
    dbus_error_free(&error);
    dbus_connection_close(bus);
    dbus_connection_unref(bus);
    return granted;
}

} // namespace

RealtimeGrant requestRealtimeForThisThread() {
    capRealtimeCpuTime();
    if (grantedByKernel()) {
        return RealtimeGrant::kernel;
    }
    // Connecting to the bus may block on a hung bus daemon, so the audio thread does not wait:
    // the worker holds nothing but the thread's number and ends with its one call.
    const auto threadId = static_cast<std::uint64_t>(gettid());
    std::thread([threadId] { askRealtimeKit(threadId); }).detach();
    return RealtimeGrant::realtimeKit;
}

bool thisThreadRunsRealtime() {
    const int policy = sched_getscheduler(0) & ~SCHED_RESET_ON_FORK;
    return policy == SCHED_RR || policy == SCHED_FIFO;
}

} // namespace klangora
