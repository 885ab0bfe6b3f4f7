#include "sound/fluid/instrument_sound.h"

namespace klangora {

namespace {

// General MIDI numbers its programs from 1; FluidSynth and the files count from 0.
constexpr std::array<InstrumentSoundInfo, 5> kInfos = {{
    {"Eget klangbillede", "own", -1},
    {"Cembalo", "harpsichord", 6}, // GM 7, Harpsichord
    {"Kirkeorgel", "organ", 19},   // GM 20, Church Organ
    {"Klaver", "piano", 0},        // GM 1, Acoustic Grand Piano
    {"Stykkets egne instrumenter", "", -1},
}};

} // namespace

const InstrumentSoundInfo& instrumentSoundInfo(InstrumentSound sound) {
    return kInfos[static_cast<std::size_t>(sound)];
}

std::optional<InstrumentSound> instrumentSoundFromCommandName(std::string_view name) {
    for (InstrumentSound sound : kAllInstrumentSounds) {
        const auto& info = instrumentSoundInfo(sound);
        if (!info.commandName.empty() && info.commandName == name) {
            return sound;
        }
    }
    return std::nullopt;
}

} // namespace klangora
