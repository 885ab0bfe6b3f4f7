#pragma once

// MIDI keyboards, through RtMidi: on the ALSA sequencer Klangora is the client "Klangora" with
// one input port, to which it connects every MIDI source there is or that appears later; where a
// JACK server runs, it also offers the port klangora:midi_in. Neither being there is no error.
//
// The MIDI threads only copy the bytes into lock-free queues and signal a file descriptor; the
// owner's thread, woken by it, calls drain(), which parses the bytes and plays the notes.
#include "sound/instrument/event_queue.h"
#include "sound/midi/midi_notes.h"
#include "sound/midi/midi_stream.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class RtMidiIn;

namespace klangora {

class MidiInput {
public:
    // Opens what is there; sink receives the notes, on the thread that calls drain().
    explicit MidiInput(NoteSink& sink);
    ~MidiInput();
    MidiInput(const MidiInput&) = delete;
    MidiInput& operator=(const MidiInput&) = delete;

    // Readable when bytes or news of the sources wait; drain() empties it.
    int wakeDescriptor() const { return m_wakeFd; }
    // Plays what arrived. True when the connected sources changed since the last call.
    bool drain();

    // The connected MIDI sources by name, as the sequencer or JACK names them.
    std::vector<std::string> connectedInputs() const;
    bool alsaOpen() const { return m_alsa != nullptr; }
    bool jackOpen() const { return m_jack != nullptr; }

    // Bytes as a source delivers them, for the benchmark and for sources of our own.
    void receive(int source, const std::uint8_t* bytes, std::size_t size);

    static constexpr int kAlsaSource = 0;
    static constexpr int kJackSource = 1;

private:
    struct Chunk {
        std::uint8_t size = 0;
        std::array<std::uint8_t, 15> bytes{};
    };
    using Queue = EventQueue<Chunk, 4096>;

    void openAlsa();
    void openJack();
    void watchAlsaSources();
    void connectAlsaSources();
    void wake();

    MidiNotes m_notes;
    std::array<MidiStreamParser, 2> m_parsers;
    std::array<std::unique_ptr<Queue>, 2> m_queues;
    std::array<std::atomic<bool>, 2> m_overflowed{};
    std::atomic<bool> m_sourceGone{false};
    std::atomic<bool> m_sourcesChanged{false};
    std::atomic<bool> m_wakePending{false};
    int m_wakeFd = -1;

    std::unique_ptr<RtMidiIn> m_alsa;
    std::unique_ptr<RtMidiIn> m_jack;

    mutable std::mutex m_sourcesLock; // the connected names, written by the watcher
    std::vector<std::string> m_alsaSources;
    std::vector<std::string> m_jackSources;
    std::mutex m_watchLock;
    std::condition_variable m_watchStop;
    bool m_stopping = false;
    std::thread m_watcher;
};

} // namespace klangora
