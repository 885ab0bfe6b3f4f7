#include "sound/fluid/offline_instrument_sound.h"

namespace klangora {

OfflineInstrumentSound::OfflineInstrumentSound(const SoundToRender& sound,
                                               const std::optional<Tuning>& tuning,
                                               std::chrono::seconds loadLimit)
    : m_fluid(sound.fonts ? std::make_unique<FluidRenderer>(*sound.fonts)
                          : std::make_unique<FluidRenderer>()) {
    if (!usesSoundFont(sound.sound)) {
        return;
    }
    if (tuning) {
        m_fluid->setTuning(*tuning); // the first block in tune
    }
    m_fluid->choose(sound.sound, sound.piecePrograms);
    if (!m_fluid->waitUntilLoaded(loadLimit)) {
        m_message = "Lydfonten blev ikke indlæst i tide. Det egne klangbillede spiller.";
        m_fluid->choose(InstrumentSound::own);
    }
    if (const auto message = m_fluid->takeMessage()) {
        m_message = *message;
    }
    m_mix.emplace(*m_fluid, m_fullLevel);
}

} // namespace klangora
