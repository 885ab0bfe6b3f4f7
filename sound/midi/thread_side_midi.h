#pragma once

// The ALSA sequencer's MIDI played from the sequencer's own thread: each sender's bytes parsed
// into notes there, the notes posted straight to the voices' queue for MIDI threads (see
// LiveSynth::postFromMidiThread), and the window told afterwards through a lock-free queue it
// looks at when it has time. The window's thread is not on the way, so its work never delays a
// note; the audio thread only pops a queue.
#include "sound/instrument/event_queue.h"
#include "sound/instrument/live_event.h"
#include "sound/midi/audio_side_midi.h"
#include "sound/midi/midi_notes.h"
#include "sound/midi/midi_stream.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <span>

namespace klangora {

class LiveSynth;

class ThreadSideMidi {
public:
    explicit ThreadSideMidi(LiveSynth& synth);
    ~ThreadSideMidi();
    ThreadSideMidi(const ThreadSideMidi&) = delete;
    ThreadSideMidi& operator=(const ThreadSideMidi&) = delete;

    // ---- The MIDI thread ----

    // A sender's bytes, or the sender gone (its notes end).
    void receive(std::uint16_t sender, bool gone, std::span<const std::uint8_t> bytes);

    // ---- The window's thread ----

    bool takeNews(MidiNews& news) {
        const auto next = m_news.pop();
        if (next) {
            news = *next;
        }
        return next.has_value();
    }
    bool takeNewsLost() { return m_newsLost.exchange(false); }
    // Notes the voices' queue had no room for wait here, in order, and go on at the next bytes or
    // the window's next look, whichever comes first: a note is late then, never lost.
    void retryWaiting();
    // Every sender lets go before its next bytes (the panic): a key still down sounds again when
    // struck again.
    void letGo() { m_letGoWanted.store(true, std::memory_order_release); }

private:
    class Sender;
    void post(bool on, int note, float velocity);
    void tell(const MidiNews& news);

    // Posts what waits, in order, as far as the queue takes it; the caller holds m_waitingLock.
    void postWaiting();

    LiveSynth& m_synth;
    std::mutex m_waitingLock; // the MIDI thread and the window's; never the audio thread
    std::deque<LiveEvent> m_waiting;
    std::map<std::uint16_t, std::unique_ptr<Sender>> m_senders;
    EventQueue<MidiNews, 4096> m_news;
    std::atomic<bool> m_newsLost{false};
    std::atomic<bool> m_letGoWanted{false};
};

} // namespace klangora
