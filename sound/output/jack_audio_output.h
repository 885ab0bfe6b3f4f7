#pragma once

// The program's sound on a JACK server: the client "klangora" with the audio ports out_1 and
// out_2 (the same mono mix on both), connected to the system's playback ports at the start, and
// the MIDI ports midi_in and midi_out. The engine renders in JACK's process callback, at the
// server's rate and period, and the notes of midi_in are played in that same callback at their
// own frames: a note's first sample lies in its event's period, at the event's offset.
//
// The program never starts a server: a client is opened only where one answers. When the server
// goes away, the owner is told from JACK's thread (see JackThenPulseOutput).
#include "sound/midi/audio_side_midi.h"
#include "sound/midi/jack_midi_host.h"
#include "sound/midi/jack_outgoing_midi.h"
#include "sound/output/audio_output.h"

#include <jack/types.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

namespace klangora {

class JackAudioOutput : public AudioOutput, public JackMidiHost {
public:
    // The client on the server that runs now (JACK_DEFAULT_SERVER names it), or null when none
    // answers. onGone is called once, from a JACK thread, when the server goes away; it must not
    // block.
    static std::unique_ptr<JackAudioOutput> connect(AudioRenderer& renderer,
                                                    std::function<void()> onGone);
    ~JackAudioOutput() override;
    JackAudioOutput(const JackAudioOutput&) = delete;
    JackAudioOutput& operator=(const JackAudioOutput&) = delete;

    // JACK asks for samples all along: nothing is to be opened.
    void open() override {}
    bool streaming() const override { return m_running.load(); }
    int losses() const override { return m_gone.load() ? 1 : 0; }
    int rate() const override { return m_rate.load(); }
    int periodFrames() const override { return m_periodFrames.load(); }
    std::int64_t latencyUs() const override { return m_latencyUs.load(); }
    const char* systemName() const override { return "JACK"; }
    JackMidiHost* midiHost() override { return this; }

    bool hostsMidi() const override { return m_running.load(); }
    void sendMidi(std::span<const std::uint8_t> message) override;
    bool takeNewListener() override { return m_newListener.exchange(false); }
    AudioSideMidi& midi() override { return m_midi; }

    // Lets go of the client; no callback runs afterwards. After the server went away, only its
    // memory is given back.
    void close();

    // For measurements: how long the last process callback took, in microseconds, and how many
    // have run.
    std::int64_t lastCycleUs() const { return m_lastCycleUs.load(); }
    std::uint64_t cycles() const { return m_cycles.load(); }

private:
    JackAudioOutput(AudioRenderer& renderer, std::function<void()> onGone);
    bool start();
    void connectPlayback();
    void measureLatency();
    static int onProcess(std::uint32_t frames, void* self);
    static int onBufferSize(std::uint32_t frames, void* self);
    static void onConnect(std::uint32_t a, std::uint32_t b, int connect, void* self);
    static void onShutdown(jack_status_t code, const char* reason, void* self);

    AudioRenderer& m_renderer;
    std::function<void()> m_onGone;
    AudioSideMidi m_midi;
    jack_client_t* m_client = nullptr;
    std::array<jack_port_t*, 2> m_out{};
    jack_port_t* m_midiIn = nullptr;
    jack_port_t* m_midiOut = nullptr;
    JackOutgoingMidi m_outgoing;
    bool m_playsMidi = false; // told the renderer so
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_gone{false};
    std::atomic<bool> m_newListener{false};
    std::atomic<int> m_rate{0};
    std::atomic<int> m_periodFrames{0};
    std::atomic<std::int64_t> m_latencyUs{0};
    std::atomic<std::int64_t> m_lastCycleUs{0};
    std::atomic<std::uint64_t> m_cycles{0};
};

} // namespace klangora
