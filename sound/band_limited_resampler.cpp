// A Kaiser-windowed sinc, tabulated once for every phase an output sample can fall on between two
// input samples when the two rates are in a small ratio (48000:11025 is 640:147), and computed
// at each sample otherwise.
#include "sound/band_limited_resampler.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <numeric>

namespace klangora {

namespace {

// Zero crossings of the sinc on either side of the centre, counted at the lower rate: the
// transition from pass to stop is about a fortieth of that rate wide.
constexpr int kZeroCrossings = 64;
// The window's shape: a stopband near 90 dB down.
constexpr double kKaiserBeta = 9.0;
// The pass band ends this far below the lower rate's Nyquist frequency, so that the transition
// lies under it and nothing above it folds back.
constexpr double kCutoffShare = 0.95;
// Phase tables beyond this many phases are not worth their memory.
constexpr std::int64_t kMostPhases = 4096;

double besselI0(double x) {
    double sum = 1;
    double term = 1;
    for (int k = 1; k < 40; ++k) {
        term *= (x / (2 * k)) * (x / (2 * k));
        sum += term;
        if (term < sum * 1e-17) {
            break;
        }
    }
    return sum;
}

class Kernel {
public:
    Kernel(int inRate, int outRate)
        : m_cutoff(0.5 * kCutoffShare * std::min(inRate, outRate) / inRate),
          m_halfWidth(kZeroCrossings / (2 * m_cutoff)), m_windowNorm(besselI0(kKaiserBeta)) {}

    // The weight of an input sample at distance t (input samples) from the output instant.
    double operator()(double t) const {
        if (std::abs(t) >= m_halfWidth) {
            return 0;
        }
        const double x = 2 * m_cutoff * t;
        const double sinc = x == 0 ? 1 : std::sin(std::numbers::pi * x) / (std::numbers::pi * x);
        const double r = t / m_halfWidth;
        return 2 * m_cutoff * sinc * besselI0(kKaiserBeta * std::sqrt(1 - r * r)) / m_windowNorm;
    }
    int reach() const { return static_cast<int>(std::ceil(m_halfWidth)); }

private:
    double m_cutoff;    // in cycles per input sample
    double m_halfWidth; // in input samples
    double m_windowNorm;
};

// The output sample at input position base + fraction, from the weights for that fraction.
float interpolate(std::span<const float> in, std::int64_t base, std::span<const double> weights,
                  int reach) {
    double sum = 0;
    const std::int64_t first = std::max<std::int64_t>(0, base - reach + 1);
    const std::int64_t last =
        std::min<std::int64_t>(static_cast<std::int64_t>(in.size()) - 1, base + reach);
    for (std::int64_t n = first; n <= last; ++n) {
        sum += in[static_cast<std::size_t>(n)] *
               weights[static_cast<std::size_t>(n - (base - reach + 1))];
    }
    return static_cast<float>(sum);
}

// The weights of input samples base - reach + 1 .. base + reach for an output instant at
// base + fraction.
void weightsAt(const Kernel& kernel, double fraction, std::span<double> weights) {
    const int reach = kernel.reach();
    for (int i = 0; i < 2 * reach; ++i) {
        weights[static_cast<std::size_t>(i)] = kernel(fraction - (i - reach + 1));
    }
}

} // namespace

std::vector<float> resampleBandLimited(std::span<const float> in, int inRate, int outRate) {
    if (inRate <= 0 || outRate <= 0) {
        return {};
    }
    if (inRate == outRate) {
        return {in.begin(), in.end()};
    }
    const auto outSize =
        static_cast<std::size_t>(std::llround(static_cast<double>(in.size()) * outRate / inRate));
    std::vector<float> out(outSize);
    const Kernel kernel(inRate, outRate);
    const int reach = kernel.reach();
    const auto span = static_cast<std::size_t>(2 * reach);
    // Output sample k lies at input position k * inRate / outRate: its fraction repeats every
    // phases output samples.
    const std::int64_t divisor = std::gcd(inRate, outRate);
    const std::int64_t phases = outRate / divisor;
    const std::int64_t step = inRate / divisor;
    std::vector<double> table;
    if (phases <= kMostPhases) {
        table.resize(static_cast<std::size_t>(phases) * span);
        for (std::int64_t p = 0; p < phases; ++p) {
            weightsAt(kernel, static_cast<double>(p) / static_cast<double>(phases),
                      std::span(table).subspan(static_cast<std::size_t>(p) * span, span));
        }
    }
    std::vector<double> weights(span);
    for (std::size_t k = 0; k < outSize; ++k) {
        const std::int64_t position = static_cast<std::int64_t>(k) * step; // in 1/phases
        const std::int64_t base = position / phases;
        const std::int64_t phase = position % phases;
        std::span<const double> chosen;
        if (!table.empty()) {
            chosen = std::span(table).subspan(static_cast<std::size_t>(phase) * span, span);
        } else {
            weightsAt(kernel, static_cast<double>(phase) / static_cast<double>(phases), weights);
            chosen = weights;
        }
        out[k] = interpolate(in, base, chosen, reach);
    }
    return out;
}

} // namespace klangora
