#pragma once

// One FluidSynth synth with its sound font loaded, built on a worker thread and then handed,
// whole, to the audio thread. Loading holds the synth's API lock for the whole load (seconds for
// a large font), so it never happens in a synth the audio thread already plays.
#include "sound/fluid/fluid_key_tuning.h"
#include "sound/fluid/instrument_sound.h"

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <fluidsynth/types.h>

namespace klangora {

struct FluidLoadRequest {
    int id = 0; // which choice asked for it: a newer choice makes it stale
    InstrumentSound sound = InstrumentSound::harpsichord;
    // The fonts to try in order; the first that loads and has the program wins.
    std::vector<std::filesystem::path> fonts;
    // For a piece's own instruments: the programs its channels ask for (0-based).
    std::vector<int> piecePrograms;
    int sampleRate = 48000;
    std::array<double, 12> centsAboveC{};
};

class LoadedFluidSynth {
public:
    // The tuning every channel plays in: the key tuning of bank 0, program 0.
    static constexpr int kTuningBank = 0;
    static constexpr int kTuningProgram = 0;
    // The channels the music plays on: the ways of playing on 0 .. 15, a piece's own channels
    // on 16 .. 31 when it plays in its own instruments. More behind them only keep the piece's
    // programs' samples loaded, so that a program change on the audio thread never reads the
    // file.
    static constexpr int kPieceChannelBase = 16;
    static constexpr int kPlayedChannels = 32;
    static constexpr int kPercussionChannel = 9; // in each group of 16, never played
    static bool isPercussion(int channel) { return channel % 16 == kPercussionChannel; }

    ~LoadedFluidSynth();
    LoadedFluidSynth(const LoadedFluidSynth&) = delete;
    LoadedFluidSynth& operator=(const LoadedFluidSynth&) = delete;

    // Worker thread. On failure the synth is null and the message says why, in Danish.
    struct Result {
        std::unique_ptr<LoadedFluidSynth> synth;
        std::string message;
    };
    static Result load(const FluidLoadRequest& request);

    fluid_synth_t* synth() const { return m_synth; }
    int requestId() const { return m_requestId; }
    int sampleRate() const { return m_sampleRate; }
    InstrumentSound sound() const { return m_sound; }
    const KeyTuningCents& tuning() const { return m_tuning; }
    // What each key is asked for beyond the temperament, against the font's own error.
    const KeyCorrections& corrections() const { return m_corrections; }
    const std::filesystem::path& font() const { return m_font; }
    // Whether a program change to this program may be played (its samples are loaded).
    bool hasLoadedProgram(int program) const;

private:
    LoadedFluidSynth() = default;
    std::string loadFont(const std::filesystem::path& font, const FluidLoadRequest& request);
    void selectPrograms(const FluidLoadRequest& request);
    void matchOwnToneLevel(int sampleRate);

    fluid_settings_t* m_settings = nullptr;
    fluid_synth_t* m_synth = nullptr;
    int m_fontId = -1;
    int m_requestId = 0;
    int m_sampleRate = 48000;
    InstrumentSound m_sound = InstrumentSound::harpsichord;
    KeyTuningCents m_tuning{};
    KeyCorrections m_corrections{};
    std::filesystem::path m_font;
    std::array<bool, 128> m_loadedPrograms{};
};

} // namespace klangora
