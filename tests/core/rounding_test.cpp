#include "core/rounding.h"

#include <gtest/gtest.h>

using klangora::roundHalfEven;
using klangora::truncTowardZero;

TEST(Rounding, TiesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(0.5L), 0);
    EXPECT_EQ(roundHalfEven(1.5L), 2);
    EXPECT_EQ(roundHalfEven(2.5L), 2);
    EXPECT_EQ(roundHalfEven(-0.5L), 0);
    EXPECT_EQ(roundHalfEven(-1.5L), -2);
    EXPECT_EQ(roundHalfEven(-2.5L), -2);
    EXPECT_EQ(roundHalfEven(115.5L), 116); // a third of 440 cents: mark top 116
    EXPECT_EQ(roundHalfEven(89.5L), 90);   // ellipse placement 40*N + 89.5
    EXPECT_EQ(roundHalfEven(-19.55L), -20);
}

TEST(Rounding, NonTiesGoToTheNearest) {
    EXPECT_EQ(roundHalfEven(195.5001L), 196);
    EXPECT_EQ(roundHalfEven(391.499L), 391);
    EXPECT_EQ(roundHalfEven(-0.4999L), 0);
    EXPECT_EQ(roundHalfEven(-2.51L), -3);
    EXPECT_EQ(roundHalfEven(1e-12L), 0);
}

TEST(Rounding, TruncCutsTowardsZero) {
    EXPECT_EQ(truncTowardZero(-3.7L), -3);
    EXPECT_EQ(truncTowardZero(3.7L), 3);
    EXPECT_EQ(truncTowardZero(-0.9L), 0);
    EXPECT_EQ(truncTowardZero(66.0L), 66);
}
