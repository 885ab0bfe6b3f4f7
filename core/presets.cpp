#include "core/presets.h"

#include <cmath>

namespace klangora {

namespace {

using Ratios = std::array<long double, kSliderCount>;

// Pythagorean: a chain of pure fifths (702 cents) from Eb to G#, whole cents.
constexpr SliderPositions kPythagorean = {-280, -80,  120,  -160, 40,  -240,
                                          -40,  -320, -120, 80,   -200};
constexpr SliderPositions kEqual = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

// Just intonation: pure thirds (5/4) and fifths (3/2) around C.
Ratios justRatios() {
    return {25.0L / 24, 9.0L / 8,   6.0L / 5, 5.0L / 4, 4.0L / 3, 45.0L / 32,
            3.0L / 2,   25.0L / 16, 5.0L / 3, 9.0L / 5, 15.0L / 8};
}

// Quarter-comma meantone: four fifths of 5^(1/4) make two octaves and a pure third, so the
// syntonic comma is spread over four fifths.
Ratios meantoneRatios() {
    const long double q = std::pow(5.0L, 0.25L); // the tempered fifth, an octave up
    const long double qInv = std::pow(5.0L, -0.25L);
    const long double h = std::pow(5.0L, 0.5L); // two tempered fifths
    return {qInv * 1.5625L, h * 0.5L,    q * 0.8L,        1.25L,    qInv * 2.0L, h * 0.625L, q,
            1.5625L,        qInv * 2.5L, h * 4.0L / 5.0L, q * 1.25L};
}

// The "Wohltemperierte" tuning, given as frequencies in hundredths of Hz over C = 249 Hz.
Ratios wellTemperedRatios() {
    constexpr std::array<long double, kSliderCount> centiHz = {
        26308, 27925, 29596, 31290, 33233, 35077, 37300, 39462, 41788, 44344, 46836};
    Ratios ratios{};
    for (std::size_t n = 0; n < ratios.size(); ++n) {
        ratios[n] = centiHz[n] / 24900.0L;
    }
    return ratios;
}

// Werckmeister III: the Pythagorean comma taken out of the fifths C-G-D-A and H-F#.
Ratios werckmeister3Ratios() {
    const long double r2 = std::pow(2.0L, 0.5L);
    const long double r4 = std::pow(2.0L, 0.25L);
    const long double r34 = std::pow(2.0L, 0.75L);
    return {256.0L / 243,       r2 * 64.0L / 81, 32.0L / 27,      r4 * 256.0L / 243,
            4.0L / 3,           1024.0L / 729,   r34 * 8.0L / 9,  128.0L / 81,
            r4 * 1024.0L / 729, 16.0L / 9,       r4 * 128.0L / 81};
}

// Werckmeister V: the comma spread over the fifths C-G, D-A, A-E, F#-C# and C#-G#.
Ratios werckmeister5Ratios() {
    const long double r2 = std::pow(2.0L, 0.5L);
    const long double r4 = std::pow(2.0L, 0.25L);
    const long double r34 = std::pow(2.0L, 0.75L);
    return {r4 * 8.0L / 9,
            9.0L / 8,
            r4,
            r2 * 8.0L / 9,
            r4 * 9.0L / 8,
            r2,
            3.0L / 2,
            128.0L / 81,
            r34,
            std::pow(2.0L, -0.75L) * 3.0L,
            r2 * 4.0L / 3};
}

SliderPositions positionsFromRatios(const Ratios& ratios) {
    SliderPositions positions{};
    for (int i = 1; i <= kSliderCount; ++i) {
        positions[i - 1] = sliderPositionFromRatio(i, ratios[i - 1]);
    }
    return positions;
}

const std::array<PresetInfo, 7> kInfos = {{
    {"pyt", "Pythagoræisk", "Pythagoræisk stemning"},
    {"ren", "Ren", "Ren stemning"},
    {"praet", "Prætoriansk", "Prætoriansk stemning"},
    {"bach", "\"Wohltemperierte\"", "\"Wohltemperierte\" "},
    {"werck1", "Werckmeister-III", "Werckmeister-III"},
    {"werck3", "Werckmeister-V", "Werckmeister-V"},
    {"lige", "Ligesvævende", "Ligesvævende stemning"},
}};

} // namespace

const PresetInfo& presetInfo(PresetId id) {
    return kInfos[static_cast<std::size_t>(id)];
}

SliderPositions presetPositions(PresetId id) {
    switch (id) {
    case PresetId::pyt:
        return kPythagorean;
    case PresetId::ren:
        return positionsFromRatios(justRatios());
    case PresetId::praet:
        return positionsFromRatios(meantoneRatios());
    case PresetId::bach:
        return positionsFromRatios(wellTemperedRatios());
    case PresetId::werck1:
        return positionsFromRatios(werckmeister3Ratios());
    case PresetId::werck3:
        return positionsFromRatios(werckmeister5Ratios());
    case PresetId::lige:
        return kEqual;
    }
    return kEqual;
}

} // namespace klangora
