#pragma once

#include "core/presets.h"
#include "core/tone_table.h"

namespace klangora::test_support {

// The table as the window holds it once the sliders stand at positions (or at a preset's) and
// a sound button has filled the frequencies: cents, thirds, fifths and the frequency table, at
// sampleRate.
ToneTable tunedTo(const SliderPositions& positions, int sampleRate = 11025);
ToneTable tunedTo(PresetId preset, int sampleRate = 11025);

} // namespace klangora::test_support
