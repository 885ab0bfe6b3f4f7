#pragma once

// A change of sample rate that adds nothing the original could not contain: every output sample
// is the original's band-limited interpolation at its instant, by a windowed sinc. Below the
// lower rate's Nyquist frequency (less a narrow transition) the sound passes unchanged; the
// images of an upsampling and the aliases of a downsampling are more than 90 dB down.
#include <span>
#include <vector>

namespace klangora {

// The samples at outRate that sound as in sound at inRate: the same length in time, rounded to
// whole output samples, sample 0 at the same instant.
std::vector<float> resampleBandLimited(std::span<const float> in, int inRate, int outRate);

} // namespace klangora
