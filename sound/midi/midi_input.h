#pragma once

// MIDI keyboards: on the ALSA sequencer Klangora is the client "Klangora" with one input port,
// to which it connects every MIDI source there is or that appears later; where a JACK server
// runs (or starts later), it also offers the port klangora:midi_in. Neither being there is no
// error.
//
// The MIDI threads only copy the bytes into lock-free queues and signal a file descriptor; the
// owner's thread, woken by it, calls drain(), which parses the bytes of each sender with a
// parser of its own and plays the notes. A sender that goes away takes its notes with it: an
// ALSA port that ends or is disconnected its own, any JACK connection gone or the JACK server
// shut down every note that came through JACK (JACK merges all senders into the one port).
#include "sound/midi/alsa_sequencer_input.h"
#include "sound/midi/jack_midi_port.h"
#include "sound/midi/midi_notes.h"
#include "sound/midi/midi_stream.h"
#include "sound/midi/thread_side_midi.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace klangora {

// Where the notes may be played without the owner's thread: the sound's JACK client that
// hosts the JACK MIDI ports (see AudioSideMidi), and the voices the sequencer's thread posts
// its notes to (see ThreadSideMidi). The owner learns of those notes afterwards, from their
// news queues.
struct MidiAudioSide {
    JackMidiHost* jack = nullptr;
    LiveSynth* synth = nullptr;
};

class MidiInput {
public:
    using AudioSide = MidiAudioSide;
    // Opens what is there; sink receives the notes that pass through the owner's thread, on the
    // thread that calls drain().
    explicit MidiInput(NoteSink& sink, MidiAudioSide audioSide = {});
    ~MidiInput();
    MidiInput(const MidiInput&) = delete;
    MidiInput& operator=(const MidiInput&) = delete;

    // Readable when bytes or news of the sources wait; drain() empties it.
    int wakeDescriptor() const { return m_wakeFd; }
    // Plays what arrived. True when the connected sources changed since the last call.
    bool drain();
    // Forgets every key and pedal held on any MIDI source, telling the sink of each note, as
    // when the learner silences everything: a key still down must sound again when struck.
    void releaseAll();

    // The connected MIDI sources by name, as the sequencer or JACK names them.
    std::vector<std::string> connectedInputs() const;
    bool alsaOpen() const { return m_alsa->open(); }
    bool jackOpen() const { return m_jack->open(); }

    // Bytes as a source delivers them, for the benchmark and for sources of our own: on
    // kAlsaSource a byte stream, on kJackSource one JACK event per call (never while a JACK
    // server feeds the port).
    void receive(int source, const std::uint8_t* bytes, std::size_t size);

    // The sequencer side itself, for tests that stand in for the sequencer, and for the output,
    // whose ports belong to the same clients.
    AlsaSequencerInput& alsa() { return *m_alsa; }
    // The sequencer's notes as its thread played them; null unless the voices were given.
    ThreadSideMidi* threadSide() { return m_threadSide.get(); }
    JackMidiPort& jack() { return *m_jack; }
    // Every channel message of every sender, as it arrives, passed on (to the MIDI output).
    using Thru = std::function<void(const MidiMessage&)>;
    void setThru(Thru thru) { m_thru = std::move(thru); }
    // A message played elsewhere (on the audio side), passed on as if it had come through here.
    void passOn(const MidiMessage& message) {
        if (m_thru) {
            m_thru(message);
        }
    }

    static constexpr int kAlsaSource = 0;
    static constexpr int kJackSource = 1;

private:
    // One sender's bytes and keys.
    struct Sender {
        Sender(NoteSink& sink, const Thru& thru) : notes(sink), thru(thru) {}
        MidiStreamParser parser;
        MidiNotes notes;
        const Thru& thru;
        void feed(std::span<const std::uint8_t> bytes);
        void letGo();
    };

    void wake();
    Sender& alsaSender(AlsaSequencerInput::Source source);

    NoteSink& m_sink;
    Thru m_thru;
    int m_wakeFd = -1;
    std::atomic<bool> m_wakePending{false};
    Sender m_jackSender;
    std::map<AlsaSequencerInput::Source, std::unique_ptr<Sender>> m_alsaSenders;
    bool m_jackWasOpen = false;
    LiveSynth* m_synth;
    std::unique_ptr<ThreadSideMidi> m_threadSide;
    // Last: their threads stop before the rest goes.
    std::unique_ptr<AlsaSequencerInput> m_alsa;
    std::unique_ptr<JackMidiPort> m_jack;
};

} // namespace klangora
