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

} // namespace
