#pragma once

// The whole of what the window wants the live instrument to sound: which notes each source
// holds and how hard, its fixed tones, and the tuning. From it the voices can be brought to the
// window's state from any state of their own, however many events were missed.
#include "sound/instrument/voice_source.h"

#include <array>
#include <atomic>
#include <bitset>
#include <cstdint>

namespace klangora {

struct WantedState {
    // Fixed tones a source may hold at once (an exercise needs two or three).
    static constexpr int kFixedTones = 16;
    struct FixedTone {
        bool on = false;
        std::int32_t id = 0;
        float velocity = 0;
        double frequencyHz = 0;
    };
    struct Source {
        std::bitset<128> notes;
        std::array<float, 128> velocity{};
        std::array<FixedTone, kFixedTones> fixed{};
    };

    std::array<Source, kVoiceSourceCount> sources{};
    std::array<double, 12> centsAboveC{};
    // Which hand-over this is, counted from one.
    std::uint64_t number = 0;
};

// Hands whole wanted states from the window's thread to the audio thread without a lock: three
// slots, one the writer fills, one the reader reads, and one in between that the two trade by
// an atomic exchange. Each slot belongs to exactly one side at any time, so neither ever reads
// what the other writes; the exchange's release and acquire carry the slot's contents across.
class StateHandOver {
public:
    // Window's thread: the slot to fill, then publish() it.
    WantedState& back() { return m_slots[m_back]; }
    void publish() {
        m_back =
            static_cast<std::uint8_t>(m_middle.exchange(static_cast<std::uint8_t>(m_back | kFresh),
                                                        std::memory_order_acq_rel) &
                                      kSlot);
    }

    // Audio thread: the state it holds, and taking the newest published one in its place
    // (false when none was published since the last take).
    const WantedState& front() const { return m_slots[m_front]; }
    bool takeNewest() {
        if ((m_middle.load(std::memory_order_relaxed) & kFresh) == 0) {
            return false;
        }
        m_front = static_cast<std::uint8_t>(m_middle.exchange(m_front, std::memory_order_acq_rel) &
                                            kSlot);
        return true;
    }

private:
    static constexpr std::uint8_t kSlot = 3;
    static constexpr std::uint8_t kFresh = 4;

    std::array<WantedState, 3> m_slots{};
    std::uint8_t m_back = 0;  // the writer's
    std::uint8_t m_front = 1; // the reader's
    std::atomic<std::uint8_t> m_middle{2};
};

} // namespace klangora
