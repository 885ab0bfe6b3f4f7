#pragma once

#include <array>

namespace klangora {

// Tone index i = 0..12 runs C, C#, D, Eb, E, F, F#, G, G#, A, Bb, H, C'; tone number t = i + 1.
// C (index 0) and C' (index 12) are fixed; the eleven tones between them each have a slider,
// numbered k = 2..12 after the tone number it tunes (slider k tunes tone index k - 1).
inline constexpr int kSliderCount = 11;
inline constexpr int kFirstSlider = 2;
inline constexpr int kLastSlider = 12;
inline constexpr int kSliderMin = -600;
inline constexpr int kSliderMax = 600;

// Slider positions in slider order: element k - 2 belongs to slider k.
using SliderPositions = std::array<int, kSliderCount>;

// The tuning as the rest of the program reads it. Everything is zero until the start-up sequence
// fills it; its owner (the window) holds exactly one.
struct ToneTable {
    // Cents above the fixed C; 13..24 repeat 0..12 an octave higher, so that the third and
    // the fifth above every tone up to C' can be read without wrapping.
    std::array<double, 25> toneCents{};
    std::array<double, 13> thirdCents{}; // major third above tone index i, in cents
    std::array<double, 13> fifthCents{}; // fifth above tone index i, in cents
    // Five octaves of frequencies in Hz; slot 24 + t is tone number t of the base octave,
    // slot 0 is never written and stays 0 Hz.
    std::array<double, 61> freqTable{};
    int sampleRate = 0;
};

// The freqTable slot of tone number t (1 = the fixed c, t + 12 an octave up, t - 12 one down):
// tone numbers -24..36 give slots 0..60, the fixed c slot 25.
constexpr int freqSlot(int toneNumber) {
    return 24 + toneNumber;
}

// A slider position counts 1/20 cent below equal temperament: cents = 100 * i - position / 20.
double centsFromSliderPosition(int toneIndex, int position);

// The size in cents of the frequency ratio r: 1200 * log2(r).
long double centsFromRatio(long double ratio);

// The position that puts tone index i closest to the frequency ratio r above C.
int sliderPositionFromRatio(int toneIndex, long double ratio);

// toneCents[k - 1] from the position of slider k (the first step of a slider change).
void applySliderPosition(ToneTable& table, int sliderNumber, int position);

// toneCents[1..11] from all eleven slider positions, then restenCent.
void scrolTILcent(ToneTable& table, const SliderPositions& positions);

// The upper octave: toneCents[i + 12] = toneCents[i] + 1200 for i = 0..12.
void restenCent(ToneTable& table);

// thirdCents and fifthCents from toneCents, in ascending index order.
void deriveThirdsAndFifths(ToneTable& table);

// freqTable from toneCents: the base octave rounded to whole Hz from C = 261 Hz, the other
// octaves exact multiples of it.
void IndlaesFrek(ToneTable& table);

} // namespace klangora
