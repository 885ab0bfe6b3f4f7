#pragma once

// Real-time scheduling for an audio thread, asked for the way desktop audio programs ask for it.
//
// A thread under the ordinary scheduler can be kept waiting for tens of milliseconds while the
// window repaints or another program compiles; a stream holding only a few milliseconds then
// runs dry and the listener hears a gap. A round-robin real-time thread runs as soon as the
// server asks it for samples. The kernel grants it directly to a process allowed real-time
// priorities (root, or the "audio" group's limits); otherwise RealtimeKit, the desktop's broker
// on the system bus, may grant it to a process that caps its real-time CPU time. Without
// either, the thread keeps its ordinary priority and nothing is said.
namespace klangora {

enum class RealtimeGrant {
    kernel,      // granted at once by the kernel
    realtimeKit, // asked of RealtimeKit in the background; granted if it answers yes
    none,        // not asked for, or refused
};

// For the calling thread. Never waits for RealtimeKit: its request runs on a detached worker.
RealtimeGrant requestRealtimeForThisThread();

// Whether the calling thread runs under a real-time policy now.
bool thisThreadRunsRealtime();

} // namespace klangora
