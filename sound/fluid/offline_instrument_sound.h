#pragma once

// A piece rendered away from the live output (saved as sound from the music window, or on the
// command line) in the sound chosen for it: FluidSynth's instrument in a renderer of its own,
// loaded in the piece's tuning before the first block and played at full level. A font that
// cannot serve leaves the own tone to play, and says why.
#include "core/tuning.h"
#include "sound/fluid/fluid_renderer.h"
#include "sound/fluid/instrument_sound.h"
#include "sound/fluid/instrument_sound_mix.h"
#include "sound/fluid/output_volume.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace klangora {

struct SoundToRender {
    InstrumentSound sound = InstrumentSound::own;
    // The fonts to try in order; none: the system's, looked for.
    std::optional<std::vector<std::filesystem::path>> fonts;
    std::vector<int> piecePrograms; // for a piece's own instruments
};

class OfflineInstrumentSound {
public:
    // Loads the font, waiting at most loadLimit; the own tone plays when it is not loaded then.
    OfflineInstrumentSound(const SoundToRender& sound, const std::optional<Tuning>& tuning,
                           std::chrono::seconds loadLimit = std::chrono::seconds(60));
    OfflineInstrumentSound(const OfflineInstrumentSound&) = delete;
    OfflineInstrumentSound& operator=(const OfflineInstrumentSound&) = delete;

    // What renders beside the own voices; nullptr for the own tone alone.
    ExtraRenderer* renderer() { return m_mix ? &*m_mix : nullptr; }
    // Why the chosen instrument does not play, in Danish; empty when it does.
    const std::string& message() const { return m_message; }

private:
    std::unique_ptr<FluidRenderer> m_fluid;
    OutputVolume m_fullLevel;
    std::optional<InstrumentSoundMix> m_mix;
    std::string m_message;
};

} // namespace klangora
