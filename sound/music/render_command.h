#pragma once

// `klangora --render FILE.mid [--tuning NAME] -o OUT.wav`: the piece saved as sound without a
// window, for a teacher preparing sound files for a course page.
#include "sound/instrument/extra_renderer.h"

#include <ostream>
#include <string>

namespace klangora {

struct RenderCommand {
    std::string midiPath;
    std::string tuningName; // empty: the start tuning
    std::string outputPath;
};

// Exit status 0 when the file is written; otherwise a Danish reason on `errors`, status 1 and
// no file under outputPath (an existing one stays as it was). `sound`, when given, plays the piece
// as it does in the window's output (FluidSynth's instruments, say).
int runRenderCommand(const RenderCommand& command, std::ostream& errors,
                     ExtraRenderer* sound = nullptr);

} // namespace klangora
