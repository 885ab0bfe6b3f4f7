#include "sound/fluid/sound_render_command.h"

#include "core/music/tuning_name.h"
#include "sound/fluid/fluid_renderer.h"
#include "sound/fluid/instrument_sound_mix.h"
#include "sound/fluid/output_volume.h"

#include <chrono>

namespace klangora {

namespace {

// Even the largest General MIDI font loads in seconds; a minute means something is wrong.
constexpr std::chrono::seconds kLoadTimeout{60};

} // namespace

int runSoundRenderCommand(const RenderCommand& command, InstrumentSound sound,
                          const std::optional<std::filesystem::path>& soundFont,
                          std::ostream& errors) {
    if (!usesSoundFont(sound)) {
        return runRenderCommand(command, errors);
    }
    FluidRenderer fluid;
    // The font is loaded in the piece's tuning, so that its first block is in tune.
    const TuningNameResult tuning = resolveTuningName(
        command.tuningName.empty() ? kDefaultTuningName : std::string_view(command.tuningName));
    if (const auto* named = std::get_if<NamedTuning>(&tuning)) {
        fluid.setTuning(named->tuning);
    }
    if (soundFont) {
        fluid.chooseSoundFont(*soundFont);
    }
    fluid.choose(sound);
    if (!fluid.waitUntilLoaded(kLoadTimeout)) {
        errors << "klangora: Lydfonten blev ikke indlæst i tide. Det egne klangbillede spiller.\n";
        fluid.choose(InstrumentSound::own);
    }
    if (const auto message = fluid.takeMessage()) {
        errors << "klangora: " << *message << '\n';
    }
    OutputVolume fullLevel;
    InstrumentSoundMix mix(fluid, fullLevel);
    return runRenderCommand(command, errors, &mix);
}

} // namespace klangora
