#include "core/exercises/tune_pure.h"

#include "core/readings.h"
#include "core/rounding.h"

#include <algorithm>
#include <cmath>

namespace klangora {

namespace {

ToneTable tableOf(const SliderPositions& positions) {
    ToneTable table;
    scrolTILcent(table, positions);
    return table;
}

int& positionOfSlider(SliderPositions& positions, int sliderNumber) {
    return positions[static_cast<std::size_t>(sliderNumber - kFirstSlider)];
}

bool inSliderRange(long double position) {
    return position >= kSliderMin && position <= kSliderMax;
}

} // namespace

TunePureRound tunePureRoundOn(IntervalKind kind, int lowerToneIndex) {
    TunePureRound round;
    round.kind = kind;
    round.lowerToneIndex = lowerToneIndex;
    round.upperToneIndex = lowerToneIndex + intervalSemitones(kind);
    const bool upperIsC = round.upperToneIndex % 12 == 0;
    round.movingToneIndex = upperIsC ? lowerToneIndex : round.upperToneIndex % 12;
    round.sliderNumber = round.movingToneIndex + 1;
    return round;
}

namespace {

// Moving the upper tone up widens the interval, moving the lower one up narrows it; a position
// counts down as the tone goes up.
int positionsWidening(const TunePureRound& round, double cents) {
    const bool upperMoves = round.movingToneIndex != round.lowerToneIndex;
    return static_cast<int>(roundHalfEven((upperMoves ? -cents : cents) * 20.0));
}

} // namespace

int purePositionOf(const TunePureRound& round, const SliderPositions& positions) {
    const ToneTable table = tableOf(positions);
    const double pure = pureIntervalCents(round.kind);
    const bool upperMoves = round.movingToneIndex != round.lowerToneIndex;
    const double targetCents =
        upperMoves ? table.toneCents[static_cast<std::size_t>(round.lowerToneIndex)] + pure -
                         (round.upperToneIndex >= 12 ? 1200.0 : 0.0)
                   : table.toneCents[static_cast<std::size_t>(round.upperToneIndex)] - pure;
    return static_cast<int>(roundHalfEven((100.0L * round.movingToneIndex - targetCents) * 20.0L));
}

TunePureRound makeTunePureRound(const SliderPositions& positions, std::mt19937& random) {
    std::uniform_int_distribution<int> rootDraw(0, 11);
    std::uniform_real_distribution<double> offsetDraw(kSmallestOffsetCents, kLargestOffsetCents);
    std::bernoulli_distribution coin(0.5);
    TunePureRound round;
    // A drawn round is kept when its pure position and an offset to at least one side of it are
    // in reach of the slider; in the temperaments of this program nearly every draw is.
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const IntervalKind kind = coin(random) ? IntervalKind::third : IntervalKind::fifth;
        round = tunePureRoundOn(kind, rootDraw(random));
        round.purePosition = purePositionOf(round, positions);
        const double offsetCents = offsetDraw(random);
        const bool widerFirst = coin(random);
        const int wider = round.purePosition + positionsWidening(round, offsetCents);
        const int narrower = round.purePosition - positionsWidening(round, offsetCents);
        if (!inSliderRange(round.purePosition)) {
            continue;
        }
        const int preferred = widerFirst ? wider : narrower;
        const int other = widerFirst ? narrower : wider;
        if (inSliderRange(preferred) || inSliderRange(other)) {
            round.startPosition = inSliderRange(preferred) ? preferred : other;
            return round;
        }
    }
    round.startPosition = std::clamp(round.purePosition + 200, kSliderMin, kSliderMax);
    return round;
}

SliderPositions startPositions(const TunePureRound& round, const SliderPositions& positions) {
    SliderPositions start = positions;
    positionOfSlider(start, round.sliderNumber) = round.startPosition;
    return start;
}

IntervalPitches pitchesOf(const TunePureRound& round, const SliderPositions& positions) {
    const ToneTable table = tableOf(positions);
    const auto hz = [&](int toneIndex) {
        return static_cast<double>(
            displayFrequencyHz(table.toneCents[static_cast<std::size_t>(toneIndex)]));
    };
    return {hz(round.lowerToneIndex), hz(round.upperToneIndex)};
}

TunePureResult scoreTunePure(const TunePureRound& round, const SliderPositions& positions) {
    const ToneTable table = tableOf(positions);
    const double intervalCents = table.toneCents[static_cast<std::size_t>(round.upperToneIndex)] -
                                 table.toneCents[static_cast<std::size_t>(round.lowerToneIndex)];
    const IntervalPitches pitches = pitchesOf(round, positions);
    return {intervalCents - pureIntervalCents(round.kind),
            intervalBeatsPerSecond(round.kind, pitches.lowerHz, pitches.upperHz)};
}

const TunePureRound& TunePureExercise::nextRound() {
    m_round = makeTunePureRound(m_learnersTuning, m_random);
    return m_round;
}

TunePureResult TunePureExercise::finishRound(const SliderPositions& positions) {
    const TunePureResult result = scoreTunePure(m_round, positions);
    if (!finished()) {
        m_results.push_back(result);
    }
    return result;
}

TunePureResult TunePureExercise::meanResult() const {
    TunePureResult mean;
    if (m_results.empty()) {
        return mean;
    }
    for (const TunePureResult& result : m_results) {
        mean.centsFromPure += std::fabs(result.centsFromPure);
        mean.beatsPerSecond += result.beatsPerSecond;
    }
    const auto count = static_cast<double>(m_results.size());
    return {mean.centsFromPure / count, mean.beatsPerSecond / count};
}

} // namespace klangora
