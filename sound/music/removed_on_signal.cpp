// The signal handler may only do what is safe in a signal handler: it reads flags that are
// lock-free atomics, calls unlink(2) on names copied into static buffers beforehand, resets the
// signal to its default and raises it again. Everything else (copying the names, installing and
// restoring the handlers) happens outside it, under a mutex.
#include "sound/music/removed_on_signal.h"

#include <array>
#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>
#include <mutex>
#include <unistd.h>

namespace klangora {

namespace {

constexpr std::array<int, 3> kSignals = {SIGINT, SIGTERM, SIGHUP};
// Saves run one at a time in the window and once in --render; a few slots leave room.
constexpr int kSlots = 4;

struct Slot {
    std::atomic<bool> guarded{false};
    char path[PATH_MAX] = {};
};

std::array<Slot, kSlots> slots;
static_assert(std::atomic<bool>::is_always_lock_free);

std::mutex installation;
int guardedCount = 0;                                 // under `installation`
std::array<struct sigaction, kSignals.size()> before; // the actions replaced, to restore

extern "C" void removeAndEnd(int signal) {
    for (Slot& slot : slots) {
        if (slot.guarded.load(std::memory_order_acquire)) {
            ::unlink(slot.path);
        }
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// Only signals that would end the program now are taken over.
void install() {
    for (std::size_t s = 0; s < kSignals.size(); ++s) {
        struct sigaction action {};
        action.sa_handler = removeAndEnd;
        sigemptyset(&action.sa_mask);
        ::sigaction(kSignals[s], nullptr, &before[s]);
        if (before[s].sa_handler == SIG_DFL && (before[s].sa_flags & SA_SIGINFO) == 0) {
            ::sigaction(kSignals[s], &action, nullptr);
        }
    }
}

void restore() {
    for (std::size_t s = 0; s < kSignals.size(); ++s) {
        struct sigaction now {};
        ::sigaction(kSignals[s], nullptr, &now);
        if (now.sa_handler == removeAndEnd) {
            ::sigaction(kSignals[s], &before[s], nullptr);
        }
    }
}

} // namespace

RemovedOnSignal::RemovedOnSignal(const std::string& path) {
    if (path.size() >= PATH_MAX) {
        return;
    }
    const std::lock_guard lock(installation);
    for (int s = 0; s < kSlots; ++s) {
        Slot& slot = slots[static_cast<std::size_t>(s)];
        if (!slot.guarded.load(std::memory_order_relaxed)) {
            std::memcpy(slot.path, path.c_str(), path.size() + 1);
            slot.guarded.store(true, std::memory_order_release);
            m_slot = s;
            break;
        }
    }
    if (m_slot >= 0 && guardedCount++ == 0) {
        install();
    }
}

RemovedOnSignal::~RemovedOnSignal() {
    if (m_slot < 0) {
        return;
    }
    const std::lock_guard lock(installation);
    slots[static_cast<std::size_t>(m_slot)].guarded.store(false, std::memory_order_release);
    if (--guardedCount == 0) {
        restore();
    }
}

} // namespace klangora
