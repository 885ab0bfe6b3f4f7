// The three ear-training exercises without a window: the staircase's course, the questions drawn
// from a seeded generator, the rounds of tuning pure and the passage that names a temperament.
#include "core/exercises/pure_or_tempered.h"
#include "core/exercises/tune_pure.h"
#include "core/exercises/which_temperament.h"
#include "core/presets.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

using namespace klangora;

namespace {

std::array<double, 12> equalCents() {
    std::array<double, 12> cents{};
    for (int i = 0; i < 12; ++i) {
        cents[static_cast<std::size_t>(i)] = 100.0 * i;
    }
    return cents;
}

SliderPositions equalPositions() {
    return presetPositions(PresetId::lige);
}

// "R" right, "W" wrong.
TemperingStaircase staircaseAfter(const std::string& answers) {
    TemperingStaircase staircase;
    for (const char answer : answers) {
        staircase.answer(answer == 'R');
    }
    return staircase;
}

} // namespace

// Worked out by hand from the rule: two right in a row x0.7, one wrong x1.4, within 0.5..16.
struct StaircaseRow {
    std::string name;
    std::string answers;
    double endCents;
    std::vector<double> reversals;
    double threshold; // NaN: none yet
};

class StaircaseCourse : public testing::TestWithParam<StaircaseRow> {};

TEST_P(StaircaseCourse, EndsWhereTheRuleLeadsAndAveragesTheLastSixReversals) {
    const StaircaseRow& row = GetParam();
    const TemperingStaircase staircase = staircaseAfter(row.answers);
    EXPECT_NEAR(staircase.temperingCents(), row.endCents, 1e-9);
    ASSERT_EQ(staircase.reversalsCents().size(), row.reversals.size());
    for (std::size_t n = 0; n < row.reversals.size(); ++n) {
        EXPECT_NEAR(staircase.reversalsCents()[n], row.reversals[n], 1e-9) << n;
    }
    if (std::isnan(row.threshold)) {
        EXPECT_FALSE(staircase.thresholdCents().has_value());
    } else {
        ASSERT_TRUE(staircase.thresholdCents().has_value());
        EXPECT_NEAR(*staircase.thresholdCents(), row.threshold, 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, StaircaseCourse,
    testing::Values(
        StaircaseRow{"AllRightStopsAtTheFloor", std::string(20, 'R'), 0.5, {}, NAN},
        StaircaseRow{"AllWrongStaysAtTheCeiling", std::string(20, 'W'), 16.0, {}, NAN},
        StaircaseRow{"OneRightChangesNothing", "R", 16.0, {}, NAN},
        StaircaseRow{"CeilingThenDownThenUp", "WRRW", 15.68, {16.0, 11.2}, 13.6},
        StaircaseRow{"SawtoothAveragesOnlyTheLastSix",
                     "RRWRRWRRWRRWRRWRRWRR",
                     9.9214346656768,
                     {11.2, 15.68, 10.976, 15.3664, 10.75648, 15.059072, 10.5413504, 14.75789056,
                      10.330523392, 14.4627327488, 10.12391292416, 14.173478093824},
                     12.398314686464},
        StaircaseRow{"AnswersAfterTheTwentiethAreIgnored",
                     "RRWRRWRRWRRWRRWRRWRRWWWWW",
                     9.9214346656768,
                     {11.2, 15.68, 10.976, 15.3664, 10.75648, 15.059072, 10.5413504, 14.75789056,
                      10.330523392, 14.4627327488, 10.12391292416, 14.173478093824},
                     12.398314686464}),
    [](const auto& info) { return info.param.name; });

TEST(Staircase, FinishedAfterTwentyAnswers) {
    EXPECT_FALSE(staircaseAfter(std::string(19, 'R')).finished());
    EXPECT_TRUE(staircaseAfter(std::string(20, 'W')).finished());
}

// A tempered equal third on middle c beats about ten times a second, the equal fifth less than
// once: the figures tuners learn.
TEST(IntervalBeats, EqualTemperedThirdAndFifthOnMiddleC) {
    EXPECT_NEAR(temperedBeatsPerSecond(IntervalKind::third, 261.6, 400.0 - 386.3137), 10.38, 0.01);
    EXPECT_NEAR(temperedBeatsPerSecond(IntervalKind::fifth, 261.6, 700.0 - 701.955), 0.886, 0.001);
    EXPECT_NEAR(temperedBeatsPerSecond(IntervalKind::fifth, 261.6, 0), 0, 1e-9);
    EXPECT_NEAR(intervalBeatsPerSecond(IntervalKind::third, 200, 250), 0, 1e-9);
}

TEST(PureOrTempered, OnePureOneTemperedAtExactFrequencies) {
    std::mt19937 random(7);
    std::set<int> roots;
    std::set<bool> orders;
    std::set<bool> widths;
    for (int n = 0; n < 200; ++n) {
        const auto question =
            makePureOrTemperedQuestion(IntervalChoice::thirds, equalCents(), 4.0, random);
        ASSERT_EQ(question.kind, IntervalKind::third);
        ASSERT_GE(question.rootToneIndex, 0);
        ASSERT_LE(question.rootToneIndex, 11);
        roots.insert(question.rootToneIndex);
        orders.insert(question.pureFirst);
        widths.insert(question.temperingCents > 0);
        const double rootHz = 261.6 * std::exp2(question.rootToneIndex / 12.0);
        const SoundedInterval& pure = question.pureFirst ? question.first : question.second;
        const SoundedInterval& tempered = question.pureFirst ? question.second : question.first;
        EXPECT_NEAR(pure.lowerHz, rootHz, 1e-6);
        EXPECT_NEAR(tempered.lowerHz, rootHz, 1e-6);
        EXPECT_DOUBLE_EQ(pure.upperHz / pure.lowerHz, 1.25);
        EXPECT_NEAR(std::fabs(1200.0 * std::log2(tempered.upperHz / pure.upperHz)), 4.0, 1e-9);
        EXPECT_EQ(question.pureAnswer(), question.pureFirst ? 1 : 2);
    }
    EXPECT_EQ(roots.size(), 12u);
    EXPECT_EQ(orders.size(), 2u);
    EXPECT_EQ(widths.size(), 2u);
}

TEST(PureOrTempered, BothKindsWhenAskedForBothAndTheRootFollowsTheTuning) {
    std::mt19937 random(11);
    std::array<double, 12> cents = equalCents();
    cents[4] = 386.3; // a pure e
    std::set<IntervalKind> kinds;
    for (int n = 0; n < 100; ++n) {
        const auto question = makePureOrTemperedQuestion(IntervalChoice::both, cents, 2.0, random);
        kinds.insert(question.kind);
        if (question.rootToneIndex == 4) {
            EXPECT_NEAR(question.first.lowerHz, 261.6 * std::exp2(386.3 / 1200.0), 1e-6);
        }
    }
    EXPECT_EQ(kinds.size(), 2u);
}

TEST(PureOrTempered, TheSameSeedAsksTheSameQuestions) {
    std::mt19937 a(42);
    std::mt19937 b(42);
    std::mt19937 c(43);
    PureOrTemperedExercise first(IntervalChoice::both, a);
    PureOrTemperedExercise second(IntervalChoice::both, b);
    PureOrTemperedExercise other(IntervalChoice::both, c);
    bool differs = false;
    for (int n = 0; n < 20; ++n) {
        const auto& q1 = first.nextQuestion(equalCents());
        const auto& q2 = second.nextQuestion(equalCents());
        const auto& q3 = other.nextQuestion(equalCents());
        EXPECT_EQ(q1.first.upperHz, q2.first.upperHz);
        EXPECT_EQ(q1.second.upperHz, q2.second.upperHz);
        differs = differs || q1.first.upperHz != q3.first.upperHz;
        first.answer(1);
        second.answer(1);
        other.answer(1);
    }
    EXPECT_TRUE(differs);
    EXPECT_TRUE(first.finished());
}

TEST(PureOrTempered, ScheduleHoldsEachIntervalTwoSecondsOneAfterTheOther) {
    std::mt19937 random(3);
    const auto question =
        makePureOrTemperedQuestion(IntervalChoice::fifths, equalCents(), 16.0, random);
    const ToneSchedule schedule = scheduleOf(question);
    ASSERT_EQ(schedule.size(), 4u);
    EXPECT_EQ(schedule[1].frequencyHz, question.first.upperHz);
    EXPECT_EQ(schedule[2].startMs - schedule[0].endMs, 500);
    EXPECT_EQ(schedule[3].endMs - schedule[3].startMs, 2000);
    EXPECT_EQ(scheduleLengthMs(schedule), 4500);
}

// Where the pure interval lies on the moving tone's slider in equal temperament: a pure third is
// 13.686 cents narrower, a pure fifth 1.955 cents wider than the equal one.
struct PureRoundRow {
    IntervalKind kind;
    int lower;
    int movingTone;
    int purePosition;
};

class TunePureRoundOn : public testing::TestWithParam<PureRoundRow> {};

TEST_P(TunePureRoundOn, MovesTheUpperToneUnlessItIsC) {
    const PureRoundRow& row = GetParam();
    TunePureRound round = tunePureRoundOn(row.kind, row.lower);
    EXPECT_EQ(round.movingToneIndex, row.movingTone);
    EXPECT_EQ(round.sliderNumber, row.movingTone + 1);
    EXPECT_EQ(purePositionOf(round, equalPositions()), row.purePosition);
    round.purePosition = row.purePosition;
    SliderPositions tuned = equalPositions();
    tuned[static_cast<std::size_t>(round.sliderNumber - 2)] = row.purePosition;
    EXPECT_LT(std::fabs(scoreTunePure(round, tuned).centsFromPure), 0.026);
}

INSTANTIATE_TEST_SUITE_P(Table, TunePureRoundOn,
                         testing::Values(PureRoundRow{IntervalKind::third, 0, 4, 274},
                                         PureRoundRow{IntervalKind::third, 8, 8, -274},
                                         PureRoundRow{IntervalKind::third, 9, 1, 274},
                                         PureRoundRow{IntervalKind::fifth, 5, 5, 39},
                                         PureRoundRow{IntervalKind::fifth, 0, 7, -39},
                                         PureRoundRow{IntervalKind::fifth, 11, 6, -39}));

TEST(TunePure, EqualThirdOnCScoresItsFourteenCentsAndTenBeats) {
    const TunePureRound round = tunePureRoundOn(IntervalKind::third, 0);
    const TunePureResult result = scoreTunePure(round, equalPositions());
    EXPECT_NEAR(result.centsFromPure, 13.686, 0.001);
    EXPECT_NEAR(result.beatsPerSecond, 10.38, 0.01);
}

TEST(TunePure, RoundsStartFiveToTwentyFiveCentsOffWithinTheSliderRange) {
    for (const PresetId preset : kAllPresets) {
        std::mt19937 random(static_cast<unsigned>(preset) + 1);
        const SliderPositions tuning = presetPositions(preset);
        for (int n = 0; n < 100; ++n) {
            const TunePureRound round = makeTunePureRound(tuning, random);
            ASSERT_GE(round.startPosition, kSliderMin);
            ASSERT_LE(round.startPosition, kSliderMax);
            const double off =
                std::fabs(scoreTunePure(round, startPositions(round, tuning)).centsFromPure);
            EXPECT_GE(off, 4.97);
            EXPECT_LE(off, 25.03);
            const int upperTone = round.upperToneIndex % 12;
            EXPECT_EQ(round.movingToneIndex, upperTone == 0 ? round.lowerToneIndex : upperTone);
        }
    }
}

TEST(TunePure, FiveRoundsEachFromTheLearnersTuning) {
    std::mt19937 random(5);
    const SliderPositions learners = presetPositions(PresetId::bach);
    TunePureExercise exercise(learners, random);
    for (int n = 0; n < 5; ++n) {
        const TunePureRound& round = exercise.nextRound();
        const SliderPositions start = exercise.roundStart();
        for (int k = 2; k <= 12; ++k) {
            if (k != round.sliderNumber) {
                EXPECT_EQ(start[static_cast<std::size_t>(k - 2)],
                          learners[static_cast<std::size_t>(k - 2)]);
            }
        }
        exercise.finishRound(start);
    }
    EXPECT_TRUE(exercise.finished());
    EXPECT_GE(exercise.meanResult().centsFromPure, 5.0);
}

TEST(WhichTemperament, PassageOfSeventeenChordsCoversEveryMajorTriad) {
    const ToneSchedule passage = cadencePassage(equalPositions());
    ASSERT_EQ(passage.size(), 17u * 4u);
    std::set<long> bassRoots;
    for (std::size_t chord = 0; chord < 17; ++chord) {
        const double bassHz = passage[chord * 4].frequencyHz;
        bassRoots.insert(std::lround(12.0 * std::log2(bassHz * 2.0 / 261.6)) % 12);
        EXPECT_NEAR(passage[chord * 4 + 1].frequencyHz, 2.0 * bassHz, 1e-9);
    }
    EXPECT_EQ(bassRoots.size(), 12u);
    EXPECT_NEAR(passage[0].frequencyHz, 130.8, 1e-9);
    EXPECT_NEAR(passage[2].frequencyHz, 329.595, 0.001);
}

TEST(WhichTemperament, PassageSoundsTheTemperamentsOwnFifths) {
    // In Pythagorean tuning the c major chord's fifth is pure: 3/2 of its root.
    const ToneSchedule passage = cadencePassage(presetPositions(PresetId::pyt));
    EXPECT_NEAR(passage[3].frequencyHz / passage[1].frequencyHz, 1.5, 1e-4);
    EXPECT_NE(passage, cadencePassage(equalPositions()));
}

TEST(WhichTemperament, PythagoreanAgainstEqualDiffersMostOnGSharpThenTheSchismaticThirds) {
    const auto roots =
        mostDifferentTriads({presetPositions(PresetId::pyt), presetPositions(PresetId::lige)}, 4);
    EXPECT_EQ(roots, (std::vector<int>{8, 1, 6, 11}));
}

TEST(WhichTemperament, DrawsEveryChoiceAndAllSixteenAreOffered) {
    EXPECT_EQ(allTemperaments().size(), 16u);
    const auto all = allTemperaments();
    std::vector<TemperamentRef> four(all.begin(), all.begin() + 4);
    std::mt19937 random(1);
    std::set<int> drawn;
    for (int n = 0; n < 100; ++n) {
        const auto question = makeWhichTemperamentQuestion(four, random);
        drawn.insert(question.rightChoice);
        EXPECT_EQ(question.played(), four[static_cast<std::size_t>(question.rightChoice)]);
    }
    EXPECT_EQ(drawn.size(), 4u);
    EXPECT_EQ(temperamentCaption({TemperamentRef::Source::library, 5}), "Vallotti");
}
