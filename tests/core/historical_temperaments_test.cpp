// The nine temperaments from their fifths: the slider positions (worked out apart from this
// code, from the comma fractions) and the values published tables give.
#include "core/historical_temperaments.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace klangora;

namespace {

struct Expected {
    std::string_view id;
    std::string_view caption;
    SliderPositions positions;
};

const Expected kExpected[] = {
    {"meantone6", "1/6-komma middeltone", {228, 65, -98, 130, -33, 196, 33, 261, 98, -65, 163}},
    {"meantone5", "1/5-komma middeltone", {328, 94, -141, 188, -47, 282, 47, 375, 141, -94, 235}},
    {"kirnberger1", "Kirnberger I", {196, -78, 117, 274, 39, 196, -39, 156, 313, 78, 235}},
    {"kirnberger2", "Kirnberger II", {196, -78, 117, 274, 39, 196, -39, 156, 98, 78, 235}},
    {"kirnberger3", "Kirnberger III", {196, 137, 117, 274, 39, 196, 68, 156, 205, 78, 235}},
    {"vallotti", "Vallotti", {117, 78, 39, 156, -39, 156, 39, 78, 117, 0, 196}},
    {"young", "Young", {196, 78, 117, 156, 39, 235, 39, 156, 117, 78, 196}},
    {"kellner", "Kellner", {196, 109, 117, 219, 39, 235, 55, 156, 164, 78, 180}},
    {"lehman", "Lehman (Bach)", {39, 78, 39, 156, -39, 78, 39, 39, 117, 39, 117}},
};

const HistoricalTemperament& named(std::string_view id) {
    for (const auto& temperament : kHistoricalTemperaments) {
        if (temperament.id == id) {
            return temperament;
        }
    }
    throw std::out_of_range(std::string(id));
}

} // namespace

TEST(HistoricalTemperaments, PositionsAndCaptions) {
    ASSERT_EQ(std::size(kExpected), kHistoricalTemperaments.size());
    for (std::size_t n = 0; n < std::size(kExpected); ++n) {
        const HistoricalTemperament& temperament = kHistoricalTemperaments[n];
        EXPECT_EQ(temperament.id, kExpected[n].id);
        EXPECT_EQ(temperament.caption, kExpected[n].caption);
        EXPECT_EQ(temperamentPositions(temperament.fifths), kExpected[n].positions)
            << temperament.id;
        EXPECT_FALSE(temperament.description.empty());
    }
}

TEST(HistoricalTemperaments, PublishedValues) {
    struct Published {
        std::string_view id;
        int tone;
        long double cents;
    };
    for (const Published& value : {Published{"vallotti", 1, 94.135L},
                                   {"vallotti", 10, 1000.0L},
                                   {"kirnberger3", 2, 193.157L},
                                   {"kirnberger3", 4, 386.314L},
                                   {"kellner", 11, 1091.007L},
                                   {"lehman", 6, 596.090L}}) {
        const auto cents = centsFromFifths(named(value.id).fifths);
        EXPECT_NEAR(cents[static_cast<std::size_t>(value.tone)], value.cents, 0.001)
            << value.id << " tone " << value.tone;
    }
}
