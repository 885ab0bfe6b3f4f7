#pragma once

// `klangora --render FILE.mid --sound harpsichord -o OUT.wav`: the piece saved as sound in one of
// FluidSynth's instruments, tuned key by key as in the window. The font loads as it does there
// (the system's fonts in their order, or the one named); a font that cannot serve is said, in
// Danish, and the own tone plays the piece instead.
#include "sound/fluid/instrument_sound.h"
#include "sound/music/render_command.h"

#include <filesystem>
#include <optional>
#include <ostream>

namespace klangora {

int runSoundRenderCommand(const RenderCommand& command, InstrumentSound sound,
                          const std::optional<std::filesystem::path>& soundFont,
                          std::ostream& errors);

} // namespace klangora
