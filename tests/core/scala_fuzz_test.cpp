// The reader meets whatever a user opens: 100,000 seeded random and mutated texts must each
// come back as a scale the window can show or as a reason, never as a crash (the sanitizer
// build runs this too), and what it accepts must be consistent.
#include "core/presets.h"
#include "core/scala_scale.h"
#include "core/text_encoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using namespace klangora;

namespace {

constexpr int kInputs = 100'000;

// Bytes that matter to the reader, so that mutations often land near its decisions.
constexpr std::string_view kInteresting = "0123456789./-+! \t\r\n!2147483648\xC3\xD8\xEF\xBB\xBF";

class Mutator {
public:
    explicit Mutator(unsigned seed) : m_random(seed) {}

    std::string next(const std::vector<std::string>& seeds) {
        switch (pick(4)) {
        case 0:
            return randomBytes();
        case 1:
            return tokenSoup();
        default:
            return mutated(seeds[pick(seeds.size())]);
        }
    }

private:
    std::mt19937 m_random;

    std::size_t pick(std::size_t count) {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(m_random);
    }

    char anyByte() { return static_cast<char>(pick(256)); }
    char interestingByte() { return kInteresting[pick(kInteresting.size())]; }

    std::string randomBytes() {
        std::string text(pick(200), '\0');
        std::generate(text.begin(), text.end(), [&] { return anyByte(); });
        return text;
    }

    std::string tokenSoup() {
        static const std::vector<std::string> tokens = {"!",          "\n",
                                                        "\r\n",       "\r",
                                                        " ",          "12",
                                                        "11",         "13",
                                                        "2/1",        "3/2",
                                                        "5/4",        "0/1",
                                                        "1/0",        "100.0",
                                                        "390.225",    "1200.0",
                                                        ".",          "-",
                                                        "9999999999", "2147483647",
                                                        "1200.0005",  "130.000000001",
                                                        "x",          "\xFF",
                                                        "\t"};
        std::string text;
        for (std::size_t n = pick(60); n > 0; --n) {
            text += tokens[pick(tokens.size())];
        }
        return text;
    }

    std::string mutated(std::string text) {
        for (std::size_t n = 1 + pick(4); n > 0; --n) {
            const std::size_t at = text.empty() ? 0 : pick(text.size());
            switch (pick(4)) {
            case 0:
                text.insert(at, 1, interestingByte());
                break;
            case 1:
                if (!text.empty()) {
                    text.erase(at, 1 + pick(3));
                }
                break;
            case 2:
                if (!text.empty()) {
                    text[at] = pick(2) == 0 ? interestingByte() : anyByte();
                }
                break;
            default:
                text.insert(at, text.substr(at, pick(8)));
                break;
            }
        }
        return text;
    }
};

std::vector<std::string> seedTexts() {
    std::vector<std::string> seeds;
    for (PresetId id : kAllPresets) {
        seeds.push_back(writeScala("seed.scl", "Seed \xC3\xB8", Tuning::preset(id)));
    }
    seeds.emplace_back("! just.scl\nJust\n12\n25/24\n9/8\n6/5\n5/4\n4/3\n45/32\n3/2\n25/16\n5/3\n"
                       "9/5\n15/8\n2/1\n");
    seeds.emplace_back("x\r7\r200.\r300.\r500.\r700.\r800.\r1000.\r2/1\r");
    return seeds;
}

int lineCount(std::string_view text) {
    return 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n') +
                                std::count(text.begin(), text.end(), '\r'));
}

void checkAccepted(const ScalaScale& scale, const std::string& text) {
    for (int position : scale.tuning.positions()) {
        ASSERT_GE(position, kSliderMin) << text;
        ASSERT_LE(position, kSliderMax) << text;
    }
    // Already one clean line of UTF-8: reading it as display text again changes nothing.
    ASSERT_EQ(displayText(scale.description), scale.description) << text;
    const ScalaReadResult again =
        readScala(writeScala("again.scl", scale.description, scale.tuning));
    ASSERT_TRUE(std::holds_alternative<ScalaScale>(again)) << text;
    ASSERT_EQ(std::get<ScalaScale>(again).tuning.positions(), scale.tuning.positions()) << text;
    ASSERT_EQ(std::get<ScalaScale>(again).description, scale.description) << text;
}

void checkRefused(const ScalaError& error, const std::string& text) {
    ASSERT_GE(error.line, 0) << text;
    ASSERT_LE(error.line, lineCount(text)) << text;
    if (error.fault == ScalaFault::toneTooFar) {
        ASSERT_GE(error.toneIndex, 1) << text;
        ASSERT_LE(error.toneIndex, 11) << text;
    }
    if (error.fault == ScalaFault::missingPitches) {
        ASSERT_LT(error.pitchesFound, error.pitchCount) << text;
    }
}

} // namespace

TEST(ScalaFuzz, RandomAndMutatedTextsNeverBreakTheReader) {
    const std::vector<std::string> seeds = seedTexts();
    Mutator mutator(20261209);
    int accepted = 0;
    for (int n = 0; n < kInputs; ++n) {
        const std::string text = mutator.next(seeds);
        const ScalaReadResult result = readScala(text);
        if (const auto* scale = std::get_if<ScalaScale>(&result)) {
            ++accepted;
            checkAccepted(*scale, text);
        } else {
            checkRefused(std::get<ScalaError>(result), text);
        }
        if (testing::Test::HasFatalFailure()) {
            return;
        }
    }
    // Mutations that leave a scale readable must occur, or the inputs test nothing but refusals.
    EXPECT_GT(accepted, kInputs / 100);
}
