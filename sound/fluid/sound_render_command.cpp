#include "sound/fluid/sound_render_command.h"

#include "core/music/tuning_name.h"
#include "sound/fluid/offline_instrument_sound.h"

namespace klangora {

int runSoundRenderCommand(const RenderCommand& command, InstrumentSound sound,
                          const std::optional<std::filesystem::path>& soundFont,
                          std::ostream& errors) {
    if (!usesSoundFont(sound)) {
        return runRenderCommand(command, errors);
    }
    // The font is loaded in the piece's tuning, so that its first block is in tune.
    std::optional<Tuning> tuning;
    const TuningNameResult named = resolveTuningName(
        command.tuningName.empty() ? kDefaultTuningName : std::string_view(command.tuningName));
    if (const auto* found = std::get_if<NamedTuning>(&named)) {
        tuning = found->tuning;
    }
    std::optional<std::vector<std::filesystem::path>> fonts;
    if (soundFont) {
        fonts = std::vector{*soundFont};
    }
    OfflineInstrumentSound instrument({sound, fonts, {}}, tuning);
    if (!instrument.message().empty()) {
        errors << "klangora: " << instrument.message() << '\n';
    }
    return runRenderCommand(command, errors, instrument.renderer());
}

} // namespace klangora
