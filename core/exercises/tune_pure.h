#pragma once

// "Stem rent": one third or fifth of the learner's tuning is put off pure by 5 to 25 cents, and
// the learner tunes it back by ear with the tone's slider.
#include "core/exercises/interval.h"
#include "core/tone_table.h"

#include <random>
#include <vector>

namespace klangora {

struct TunePureRound {
    IntervalKind kind = IntervalKind::third;
    int lowerToneIndex = 0; // 0 = c .. 11 = h
    // Tone index of the upper tone in the tone table's two octaves: lower + 4 or + 7, so 12 is
    // c' and above 12 the tone an octave up.
    int upperToneIndex = 4;
    // The tone that moves: the upper one, or the lower where the upper is c or c'.
    int movingToneIndex = 4;
    int sliderNumber = 5; // the slider of the moving tone
    int purePosition = 0; // the position nearest pure
    int startPosition = 0;
};

// What the learner left: how far from pure the interval ended, signed (positive: too wide), and
// how fast it beats, with the pitches the readouts give (c at 261.6 Hz).
struct TunePureResult {
    double centsFromPure = 0;
    double beatsPerSecond = 0;
};

inline constexpr double kSmallestOffsetCents = 5.0;
inline constexpr double kLargestOffsetCents = 25.0;
inline constexpr int kTunePureRounds = 5;
// A round counts as right where the interval was left within 3 cents of pure: a fifth on c then
// beats less than half a time a second, a third on c about twice, slow enough to hear as calm.
inline constexpr double kTunedPureCents = 3.0;

// The round on the interval of that kind above lowerToneIndex (0..11), its positions not yet set.
TunePureRound tunePureRoundOn(IntervalKind kind, int lowerToneIndex);

// The position of `movingToneIndex` that makes the interval pure with the other tone where
// `positions` puts it (to 1/20 cent, not clamped).
int purePositionOf(const TunePureRound& round, const SliderPositions& positions);

// A round on the tuning `positions`: a random third or fifth on a random root, whose pure
// position and an offset of 5..25 cents to one side of it lie within the slider's range.
TunePureRound makeTunePureRound(const SliderPositions& positions, std::mt19937& random);

// The tuning to play at the round's start: the learner's, with the moving tone off pure.
SliderPositions startPositions(const TunePureRound& round, const SliderPositions& positions);

// How pure the round's interval is in the tuning `positions`.
TunePureResult scoreTunePure(const TunePureRound& round, const SliderPositions& positions);

// The frequencies (c at 261.6 Hz) of the round's two tones in the tuning `positions`.
struct IntervalPitches {
    double lowerHz = 0;
    double upperHz = 0;
};
IntervalPitches pitchesOf(const TunePureRound& round, const SliderPositions& positions);

// Five rounds (or as many as asked) on one tuning, the learner's, which each round starts from
// again.
class TunePureExercise {
public:
    TunePureExercise(const SliderPositions& learnersTuning, std::mt19937& random,
                     int rounds = kTunePureRounds)
        : m_learnersTuning(learnersTuning), m_random(random), m_rounds(rounds) {}

    // The next round and the tuning it starts from.
    const TunePureRound& nextRound();
    const TunePureRound& round() const { return m_round; }
    SliderPositions roundStart() const { return startPositions(m_round, m_learnersTuning); }

    // The learner pressed Enter with the tuning `positions`.
    TunePureResult finishRound(const SliderPositions& positions);

    const std::vector<TunePureResult>& results() const { return m_results; }
    int rounds() const { return m_rounds; }
    bool finished() const { return static_cast<int>(m_results.size()) >= m_rounds; }
    const SliderPositions& learnersTuning() const { return m_learnersTuning; }

    // The mean distance from pure of all finished rounds, in cents and beats per second.
    TunePureResult meanResult() const;

private:
    SliderPositions m_learnersTuning;
    std::mt19937& m_random;
    int m_rounds;
    TunePureRound m_round;
    std::vector<TunePureResult> m_results;
};

} // namespace klangora
