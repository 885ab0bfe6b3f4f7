#pragma once

// FluidSynth beside the own voices, in the same audio callback. The window thread chooses a sound;
// a worker thread loads its font into a fresh synth; the ready synth reaches the audio thread
// through an atomic pointer; from then on only the audio thread calls it (notes, sustain,
// program changes, retuning, rendering), and a synth it no longer plays goes back to the window
// thread to be deleted. A font that cannot be loaded leaves the own tone playing and says why,
// once.
#include "sound/fluid/loaded_fluid_synth.h"
#include "sound/instrument/event_queue.h"
#include "sound/instrument/live_synth.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <thread>

namespace klangora {

// What the music and the instrument ask of FluidSynth, on a channel (0..15).
struct FluidEvent {
    enum class Kind : std::uint8_t {
        noteOn,
        noteOff,
        sustain,
        program,
        releaseChannel, // every note of the channel, and its pedal
        releaseAll,
        tune
    };
    Kind kind = Kind::noteOn;
    std::uint8_t channel = 0;
    std::uint8_t note = 0; // noteOn, noteOff; the program; the pitch class for tune
    float value = 0;       // noteOn: velocity 0..1; sustain: pedal down when >= 0.5
    double cents = 0;      // tune: the pitch class's cents above the fixed c
};

class FluidRenderer {
public:
    // The fonts tried in order for a General MIDI sound, when no font is chosen for the session.
    explicit FluidRenderer(std::vector<std::filesystem::path> systemFonts);
    FluidRenderer(); // the system's fonts, searched (at the first choice) in their stated order
    ~FluidRenderer();
    FluidRenderer(const FluidRenderer&) = delete;
    FluidRenderer& operator=(const FluidRenderer&) = delete;

    // --- window thread ---
    // Chooses the sound; a FluidSynth sound is loaded in the background, and the own voices
    // play until it is ready (or for good, with a message, when it cannot be). For a piece's
    // own instruments, the programs its channels use.
    void choose(InstrumentSound sound, std::vector<int> piecePrograms = {});
    // A .sf2/.sf3 file for the rest of the session; loaded at once when a FluidSynth sound is
    // chosen.
    void chooseSoundFont(const std::filesystem::path& font);
    // The fonts a choice tries, in order: the session's font, else the system's.
    std::vector<std::filesystem::path> fontsToTry();
    // The sound chosen, or the own tone after a font failed.
    InstrumentSound sound() const;
    // Why a font could not be used, in Danish, once.
    std::optional<std::string> takeMessage();
    // Keeps the wanted state: deletes the synths the audio thread let go, and loads again when
    // the output's rate is not the one the synth was made for. Call now and then.
    void maintain();
    // Whether a chosen instrument is on its way: its font loads, or its synth waits for the
    // audio thread to take it over. The own voices play meanwhile.
    bool loading() const;
    // For tests and measurements: waits until the worker has nothing left to do and the audio
    // side has been offered its synth. False on timeout.
    bool waitUntilLoaded(std::chrono::milliseconds timeout);
    // The tuning a load starts from, so that a fresh synth is published in tune; the synth that
    // plays follows retunings through the instrument's events.
    void setTuning(const Tuning& tuning);
    // Events from the window thread, applied at the start of the next render. False when full.
    bool post(const FluidEvent& event) { return m_events.push(event); }

    // --- audio thread ---
    // Whether a ready synth plays the notes (else the own voices do); takes a newly loaded one.
    bool playsNotes() {
        takeFreshSynth();
        return m_active != nullptr && m_active->sampleRate() == m_rate;
    }
    void apply(const LiveEvent& event);
    void apply(const FluidEvent& event);
    // A piece's channel event: heard only while the piece plays in its own instruments, on a
    // FluidSynth channel of its own per channel of the file.
    void apply(const PieceEvent& event);
    // Takes a newly loaded synth, applies the waiting events, and adds FluidSynth's mix to
    // `mono`.
    void renderAdd(std::span<float> mono, int sampleRate);
    // How many of FluidSynth's voices sound (a note may sound several layers).
    int activeVoiceCount() const;
    // How long the last retuning took on the audio thread, in nanoseconds.
    std::int64_t lastRetuneNs() const { return m_lastRetuneNs.load(std::memory_order_relaxed); }

private:
    static constexpr std::size_t kScratchFrames = 1024;

    void workerLoop();
    void request(InstrumentSound sound);
    const std::vector<std::filesystem::path>& systemFonts();
    void publish(std::unique_ptr<LoadedFluidSynth> loaded);
    void takeFreshSynth();
    void selectPieceChannelPrograms();
    bool retire(LoadedFluidSynth* loaded);
    void retune();
    void collectRetired();
    bool playsPieceChannels() const {
        return m_active != nullptr && m_active->sound() == InstrumentSound::pieceOwn;
    }

    // Window side.
    // The fonts to try; looked for in the system's folders only when first needed.
    std::optional<std::vector<std::filesystem::path>> m_systemFonts;
    std::optional<std::filesystem::path> m_sessionFont;
    std::array<double, 12> m_guiCents{};
    std::vector<int> m_piecePrograms;
    int m_loadedRate = 0;

    // Shared with the worker, under m_mutex.
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::optional<FluidLoadRequest> m_request;
    bool m_working = false;
    bool m_stop = false;
    InstrumentSound m_sound = InstrumentSound::own;
    std::optional<std::string> m_message;
    std::thread m_worker;

    // Between the threads, without locks.
    std::atomic<int> m_wantedId{0};
    std::atomic<LoadedFluidSynth*> m_pending{nullptr};
    std::atomic<int> m_streamRate{48000};
    EventQueue<LoadedFluidSynth*, 16> m_retired;
    EventQueue<FluidEvent, 4096> m_events;
    std::atomic<std::int64_t> m_lastRetuneNs{0};

    // Audio side.
    LoadedFluidSynth* m_active = nullptr;
    int m_rate = 48000;
    std::array<double, 12> m_cents{};
    bool m_tuningDirty = false;
    // The program each of a piece's channels last asked for, kept whatever plays, so that a
    // piece's own instruments chosen mid-piece start in them.
    std::array<std::uint8_t, 16> m_pieceChannelPrograms{};
    std::vector<float> m_left, m_right;
};

} // namespace klangora
