#pragma once

// The musical facts the whole program agrees on, each named once: where the tuning is anchored,
// how the sound buttons' chords are built, and what a major and a minor triad are made of.

namespace klangora {

// The fixed c, which no slider moves: every tone is tuned in cents above it. The readouts give
// its pitch as 261.6 Hz and the live instrument, the instruments and MIDI play it there, as
// MIDI note 60 (middle c).
inline constexpr long double kFixedCHz = 261.6L;
inline constexpr int kFixedCNote = 60;

// The sound buttons' chords are built on a c of a whole 261 Hz, every tone of their octave
// rounded to whole Hz, as 8-bit images of 11,025 samples a second.
inline constexpr long double kChordBaseHz = 261.0L;
inline constexpr int kChordSampleRate = 11025;

// A major triad: its third and fifth above the root, in semitones.
inline constexpr int kMajorThirdSemitones = 4;
inline constexpr int kFifthSemitones = 7;
// A minor triad: its minor third above the root; its fifth is the major triad's.
inline constexpr int kMinorThirdSemitones = 3;

// The pure intervals as ratios of their frequencies, and in cents to three decimals.
inline constexpr long double kPureThirdRatio = 5.0L / 4.0L;
inline constexpr long double kPureFifthRatio = 3.0L / 2.0L;
inline constexpr long double kPureThirdCents = 386.314L;
inline constexpr long double kPureFifthCents = 701.955L;
inline constexpr long double kPureMinorThirdRatio = 6.0L / 5.0L;
inline constexpr long double kPureMinorThirdCents = 315.641L;

} // namespace klangora
