// FluidSynth set up for the live output: no audio driver (the caller's callback renders it), no
// chorus (it detunes, and would beat on its own) and no reverb, one thread, no API lock (only
// one thread at a time ever calls it: this worker, then the audio thread), and a font whose
// samples are read only for the presets chosen, so that a 148 MB font costs what one instrument
// of it costs.
#include "sound/fluid/loaded_fluid_synth.h"

#include "core/file_check.h"

#include <fluidsynth.h>

#include <algorithm>
#include <fstream>

namespace klangora {

namespace fs = std::filesystem;

namespace {

// The level of FluidSynth's mix as a font sets it: a piece's own instruments play at it, and a
// chosen instrument is brought from it to the own tone's loudness (matchOwnToneLevel).
constexpr double kFluidGain = 1.0;
constexpr int kPolyphony = 128;
// The gains FluidSynth accepts.
constexpr double kLeastGain = 0.0;
constexpr double kMostGain = 10.0;

std::string quoted(const fs::path& font) {
    return "»" + font.filename().string() + "«";
}

std::string withOwnTone(const std::string& reason) {
    return reason + " Det egne klangbillede spiller videre.";
}

// Why the font cannot be read, before anything (FluidSynth's own check included) opens it: a
// FIFO would keep the loader waiting, and a file beyond any real font would be read in vain.
std::string unreadableReason(const fs::path& font) {
    switch (fileProblem(font, FileKind::soundFont)) {
    case FileProblem::none:
        break;
    case FileProblem::notRegular:
        return "Lydfonten " + quoted(font) + " er ikke en almindelig fil.";
    case FileProblem::tooLarge:
        return "Lydfonten " + quoted(font) + " er større end 2 GB, og så store er lydfonte ikke.";
    default:
        return "Lydfonten " + quoted(font) + " findes ikke eller kan ikke læses.";
    }
    std::ifstream file(font, std::ios::binary);
    char first = 0;
    if (!file || !file.read(&first, 1)) {
        return "Lydfonten " + quoted(font) + " findes ikke eller kan ikke læses.";
    }
    return {};
}

std::string instrumentName(int program) {
    for (InstrumentSound sound : kAllInstrumentSounds) {
        if (instrumentSoundInfo(sound).generalMidiProgram == program) {
            return "»" + std::string(instrumentSoundInfo(sound).caption) + "«";
        }
    }
    return "nummer " + std::to_string(program + 1);
}

// The programs the request needs before it may sound.
std::vector<int> neededPrograms(const FluidLoadRequest& request) {
    if (request.sound == InstrumentSound::pieceOwn) {
        return {}; // a piece plays what the font has; a missing program keeps the last one
    }
    return {instrumentSoundInfo(request.sound).generalMidiProgram};
}

} // namespace

LoadedFluidSynth::~LoadedFluidSynth() {
    if (m_synth != nullptr) {
        delete_fluid_synth(m_synth);
    }
    if (m_settings != nullptr) {
        delete_fluid_settings(m_settings);
    }
}

bool LoadedFluidSynth::hasLoadedProgram(int program) const {
    return program >= 0 && program < 128 && m_loadedPrograms[static_cast<std::size_t>(program)];
}

LoadedFluidSynth::Result LoadedFluidSynth::load(const FluidLoadRequest& request) {
    if (request.fonts.empty()) {
        return {nullptr, withOwnTone("Der er ingen lydfont på maskinen (pakken "
                                     "musescore-general-soundfont eller fluid-soundfont-gm "
                                     "giver en), og ingen er valgt.")};
    }
    std::string firstReason;
    for (const auto& font : request.fonts) {
        auto loaded = std::unique_ptr<LoadedFluidSynth>(new LoadedFluidSynth);
        const std::string reason = loaded->loadFont(font, request);
        if (reason.empty()) {
            return {std::move(loaded), {}};
        }
        if (firstReason.empty()) {
            firstReason = reason;
        }
    }
    return {nullptr, withOwnTone(firstReason)};
}

std::string LoadedFluidSynth::loadFont(const fs::path& font, const FluidLoadRequest& request) {
    m_requestId = request.id;
    m_sampleRate = request.sampleRate;
    m_sound = request.sound;
    m_font = font;
    if (const std::string reason = unreadableReason(font); !reason.empty()) {
        return reason;
    }
    if (fluid_is_soundfont(font.c_str()) == 0) {
        return quoted(font) + " er ikke en lydfont (.sf2 eller .sf3).";
    }
    const int channels = kPlayedChannels + static_cast<int>(request.piecePrograms.size() + 15) /
                                               16 * 16; // FluidSynth counts channels by 16
    m_settings = new_fluid_settings();
    fluid_settings_setnum(m_settings, "synth.sample-rate", request.sampleRate);
    fluid_settings_setnum(m_settings, "synth.gain", kFluidGain);
    fluid_settings_setint(m_settings, "synth.chorus.active", 0);
    fluid_settings_setint(m_settings, "synth.reverb.active", 0);
    fluid_settings_setint(m_settings, "synth.threadsafe-api", 0);
    fluid_settings_setint(m_settings, "synth.cpu-cores", 1);
    fluid_settings_setint(m_settings, "synth.polyphony", kPolyphony);
    fluid_settings_setint(m_settings, "synth.midi-channels", channels);
    fluid_settings_setint(m_settings, "synth.dynamic-sample-loading", 1);
    m_synth = new_fluid_synth(m_settings);
    if (m_synth == nullptr) {
        return "FluidSynth kunne ikke startes.";
    }
    m_fontId = fluid_synth_sfload(m_synth, font.c_str(), 0);
    if (m_fontId == FLUID_FAILED) {
        return "Lydfonten " + quoted(font) + " kunne ikke indlæses: den er beskadiget.";
    }
    fluid_sfont_t* sfont = fluid_synth_get_sfont_by_id(m_synth, m_fontId);
    for (int program : neededPrograms(request)) {
        if (fluid_sfont_get_preset(sfont, 0, program) == nullptr) {
            return "Lydfonten " + quoted(font) + " har ikke instrumentet " +
                   instrumentName(program) + ".";
        }
    }
    selectPrograms(request);
    if (request.sound != InstrumentSound::pieceOwn) {
        // Every played channel has the same instrument: one measurement serves them all.
        m_corrections = measureKeyCorrections(m_synth, 0, request.sampleRate);
        matchOwnToneLevel(request.sampleRate);
    }
    m_tuning = fluidKeyTuning(request.centsAboveC, m_corrections);
    fluid_synth_activate_key_tuning(m_synth, kTuningBank, kTuningProgram, "Klangora",
                                    m_tuning.data(), 0);
    for (int channel = 0; channel < kPlayedChannels; ++channel) {
        fluid_synth_activate_tuning(m_synth, channel, kTuningBank, kTuningProgram, 0);
        fluid_synth_set_gen(m_synth, channel, GEN_VIBLFOTOPITCH, kDitherCents);
        fluid_synth_set_gen(m_synth, channel, GEN_VIBLFOFREQ, kDitherRateCents);
    }
    return {};
}

// Fonts set their instruments' levels as they please (a harpsichord some 8 dB below the own
// tone, an organ 5): the mix's gain brings the chosen one to the own tone's loudness, so that
// changing the sound never changes how loud the keys are.
void LoadedFluidSynth::matchOwnToneLevel(int sampleRate) {
    const double level = measureInstrumentLevel(m_synth, 0, sampleRate);
    if (level > 0) {
        fluid_synth_set_gain(
            m_synth, static_cast<float>(std::clamp(kFluidGain * ownToneLevel(sampleRate) / level,
                                                   kLeastGain, kMostGain)));
    }
}

void LoadedFluidSynth::selectPrograms(const FluidLoadRequest& request) {
    fluid_sfont_t* sfont = fluid_synth_get_sfont_by_id(m_synth, m_fontId);
    auto select = [&](int channel, int program) {
        if (program >= 0 && program < 128 && fluid_sfont_get_preset(sfont, 0, program)) {
            fluid_synth_program_select(m_synth, channel, m_fontId, 0, program);
            m_loadedPrograms[static_cast<std::size_t>(program)] = true;
        }
    };
    const bool fixed = request.sound != InstrumentSound::pieceOwn;
    const int mainProgram = fixed ? instrumentSoundInfo(request.sound).generalMidiProgram : 0;
    for (int channel = 0; channel < kPlayedChannels; ++channel) {
        if (!isPercussion(channel)) {
            select(channel, mainProgram);
        }
    }
    // Every program the piece asks for stays selected on a hidden channel of its own: its
    // samples stay in memory, and a program change on a played channel only points at them.
    for (std::size_t i = 0; i < request.piecePrograms.size(); ++i) {
        select(kPlayedChannels + static_cast<int>(i), request.piecePrograms[i]);
    }
}

} // namespace klangora
