#pragma once

// The MIDI input played where the sound is made: bytes parsed into notes on the audio thread (or
// a MIDI thread that feeds it), the notes applied to the voices at once, and the window told
// afterwards what was played, through a lock-free queue it looks at when it has time. So a busy
// window never delays a note; it only lights the note's name a little later.
//
// Nothing here allocates, locks or waits: the parser and the keys are plain fixed-size state,
// the news a fixed-size single-producer queue.
#include "sound/instrument/event_queue.h"
#include "sound/midi/midi_notes.h"
#include "sound/midi/midi_stream.h"

#include <atomic>
#include <cstdint>
#include <span>

namespace klangora {

class AudioRenderer;

// What the window hears of the notes played on the audio side.
struct MidiNews {
    enum class Kind : std::uint8_t { noteOn, noteOff, message };
    Kind kind = Kind::noteOn;
    std::uint8_t note = 0;
    float velocity = 0;
    MidiMessage message; // Kind::message: every channel message, for the MIDI output's thru
};

class AudioSideMidi : private NoteSink {
public:
    AudioSideMidi() : m_notes(*this) {}

    // ---- The audio thread ----

    // Before a callback's events: a letting-go the window asked for is done first.
    void beginCallback(AudioRenderer& renderer);
    // One event of a transport that carries whole events (a JACK MIDI event), its notes applied
    // to the renderer now.
    void feedEvent(std::span<const std::uint8_t> bytes, AudioRenderer& renderer);
    // Every note held through this input ends, its keys and pedal forgotten.
    void letGoNow(AudioRenderer& renderer);

    // ---- Any other thread ----

    // The next news for the window, false when none waits (one reader).
    bool takeNews(MidiNews& news) {
        const auto next = m_news.pop();
        if (next) {
            news = *next;
        }
        return next.has_value();
    }
    // Asks the audio side to let go of every note at its next callback (the panic, a sender
    // gone): a key still down must sound again when struck again.
    void letGo() { m_letGoWanted.store(true, std::memory_order_release); }
    // True once after news was lost to a full queue: the window then takes what sounds from the
    // voices instead.
    bool takeNewsLost() { return m_newsLost.exchange(false); }

private:
    void noteOn(int note, float velocity) override;
    void noteOff(int note) override;
    void tell(const MidiNews& news);

    MidiStreamParser m_parser;
    MidiNotes m_notes;
    AudioRenderer* m_renderer = nullptr; // while feeding
    EventQueue<MidiNews, 4096> m_news;
    std::atomic<bool> m_letGoWanted{false};
    std::atomic<bool> m_newsLost{false};
};

} // namespace klangora
