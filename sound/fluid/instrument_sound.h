#pragma once

// The sounds the live instrument and the music can play in: the program's own harmonic tone,
// three General MIDI instruments the temperaments were made for, and a piece's own instruments.
#include <array>
#include <optional>
#include <string_view>

namespace klangora {

enum class InstrumentSound { own, harpsichord, organ, piano, pieceOwn };

inline constexpr std::array<InstrumentSound, 5> kAllInstrumentSounds = {
    InstrumentSound::own, InstrumentSound::harpsichord, InstrumentSound::organ,
    InstrumentSound::piano, InstrumentSound::pieceOwn};

struct InstrumentSoundInfo {
    std::string_view caption;     // the menu's Danish text (UTF-8)
    std::string_view commandName; // the command line's --sound value; empty where there is none
    int generalMidiProgram;       // 0-based; -1 where no single program is asked for
};

const InstrumentSoundInfo& instrumentSoundInfo(InstrumentSound sound);

// The sound a --sound value names: own, harpsichord, organ or piano.
std::optional<InstrumentSound> instrumentSoundFromCommandName(std::string_view name);

// Whether FluidSynth renders the sound (everything but the own tone).
inline bool usesSoundFont(InstrumentSound sound) {
    return sound != InstrumentSound::own;
}

} // namespace klangora
