#include "core/tone_table.h"

#include "core/musical_facts.h"
#include "core/rounding.h"

#include <cmath>

namespace klangora {

namespace {
constexpr int kBaseSlot = freqSlot(1); // the fixed c
} // namespace

double centsFromSliderPosition(int toneIndex, int position) {
    return static_cast<double>(100.0L * toneIndex - position / 20.0L);
}

long double centsFromRatio(long double ratio) {
    return 1200.0L * std::log10(ratio) / std::log10(2.0L);
}

int sliderPositionFromRatio(int toneIndex, long double ratio) {
    const long double cents = centsFromRatio(ratio);
    return static_cast<int>(roundHalfEven((100.0L * toneIndex - cents) * 20.0L));
}

void applySliderPosition(ToneTable& table, int sliderNumber, int position) {
    const int toneIndex = sliderNumber - 1;
    table.toneCents[toneIndex] = centsFromSliderPosition(toneIndex, position);
}

void scrolTILcent(ToneTable& table, const SliderPositions& positions) {
    for (int k = kFirstSlider; k <= kLastSlider; ++k) {
        applySliderPosition(table, k, positions[k - kFirstSlider]);
    }
    restenCent(table);
}

void restenCent(ToneTable& table) {
    for (int i = 0; i <= 12; ++i) {
        table.toneCents[i + 12] = table.toneCents[i] + 1200.0;
    }
}

void deriveThirdsAndFifths(ToneTable& table) {
    for (int i = 0; i <= 12; ++i) {
        table.thirdCents[i] = table.toneCents[i + kMajorThirdSemitones] - table.toneCents[i];
        table.fifthCents[i] = table.toneCents[i + kFifthSemitones] - table.toneCents[i];
    }
}

void IndlaesFrek(ToneTable& table) {
    auto& freq = table.freqTable;
    // The chords are tuned to C = 261 Hz, the readout panel shows frequencies from 261.6 Hz.
    // 2^(cents/1200), formed as 10^(log10(2) * cents / 1200). The frequencies are rounded to
    // whole Hz and some lie within a few ulps of a half, so the form of the computation is
    // fixed here once: every table the program fills agrees to the last bit.
    const long double log10of2 = std::log10(2.0L);
    for (int i = 0; i < 12; ++i) {
        const long double ratio = std::pow(10.0L, log10of2 * table.toneCents[i] / 1200.0L);
        freq[kBaseSlot + i] = static_cast<double>(roundHalfEven(kChordBaseHz * ratio));
    }
    // Octaves are exact multiples, so the lower ones may hold .5 and .25 Hz.
    for (int i = 0; i < 12; ++i) {
        const double base = freq[kBaseSlot + i];
        freq[kBaseSlot + i + 12] = 2.0 * base;
        freq[kBaseSlot + i - 12] = 0.5 * base;
        freq[kBaseSlot + i + 24] = 4.0 * base;
        freq[kBaseSlot + i - 24] = 0.25 * base;
    }
}

} // namespace klangora
