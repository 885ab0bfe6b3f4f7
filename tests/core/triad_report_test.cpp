#include "core/music/triad_report.h"
#include "core/presets.h"
#include "support/tuned_table.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using namespace klangora;
using namespace klangora::music;

namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST(TriadReport, OneLinePerTriadInTheOrderOfFifthsWithTheUsersSeparator) {
    TriadTimes times;
    times.pieceSeconds = 8.0;
    times.seconds[0] = 2.25; // C: 28.125 %, and 2.25 s to 2.2
    times.seconds[5] = 0.25; // F: 3.125 %; a quarter second rounds to the even tenth, 0.2
    const auto lines = linesOf(triadReport(times, klangora::Tuning::preset(PresetId::lige), ','));
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[0], "C-dur       2,2 s   28,1 %   terts +13,7 cent   kvint  -2,0 cent");
    EXPECT_EQ(lines[1].substr(0, 7), "G-dur  ");
    EXPECT_EQ(lines[11], "F-dur       0,2 s    3,1 %   terts +13,7 cent   kvint  -2,0 cent");
}

TEST(TriadReport, MinorTriadsAfterTheMajorWithTheirMinorThirds) {
    TriadTimes times;
    times.pieceSeconds = 4.0;
    times.seconds[0] = 2.0;      // C major
    times.minorSeconds[9] = 1.0; // A minor
    const Tuning pythagorean = klangora::Tuning::preset(PresetId::pyt);
    const auto minor =
        linesOf(triadReport(times, pythagorean, '.', danishReportWords(), TriadChoice::minor));
    ASSERT_EQ(minor.size(), 12u);
    // A (906 cent) to c' (1200): 294 cent, 21.6 narrower than 6:5.
    EXPECT_EQ(minor[3], "A-mol       1.0 s   25.0 %   terts -21.6 cent   kvint   0.0 cent");
    const auto both =
        linesOf(triadReport(times, pythagorean, '.', danishReportWords(), TriadChoice::both));
    ASSERT_EQ(both.size(), 24u);
    EXPECT_EQ(both[0], "C-dur       2.0 s   50.0 %   terts +21.7 cent   kvint   0.0 cent");
    EXPECT_EQ(both[12].substr(0, 6), "C-mol ");
    EXPECT_EQ(both[15], minor[3]);
}

} // namespace
