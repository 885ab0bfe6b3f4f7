// The tuning messages and files read back by readers written from the MIDI Tuning Standard's,
// AnaMark's and Scala's definitions: every tone where the tuning has it.
#include "core/mts/midi_tuning_messages.h"
#include "core/mts/synth_tuning_files.h"
#include "core/mts/tuning_rate_limit.h"
#include "core/presets.h"
#include "core/scala_scale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>
#include <sstream>

using namespace klangora;
using Bytes = std::vector<std::uint8_t>;

namespace {

double centsBetween(double hz, double referenceHz) {
    return 1200.0 * std::log2(hz / referenceHz);
}
// Note n of the receiver's equal temperament, A4 = 440 Hz.
double equalHz(double note) {
    return 440.0 * std::pow(2.0, (note - 69.0) / 12.0);
}

// What the receiver is to add to pitch class i, from its definition: the tuning's tone above
// the fixed c, less equal temperament, plus the fixed c's place against 261.6256 Hz.
double wantedOffset(const Tuning& tuning, int i) {
    return tuning.centsAboveC()[static_cast<std::size_t>(i)] - 100.0 * i +
           1200.0 * std::log2(261.6 / 261.6256);
}

// Scale/Octave Tuning: F0 7F dev 08 form ff gg hh, twelve offsets, F7.
std::vector<double> readScaleOctave(const Bytes& m, bool twoBytes) {
    const std::size_t perTone = twoBytes ? 2 : 1;
    EXPECT_EQ(m.size(), 9 + 12 * perTone);
    EXPECT_EQ(
        Bytes(m.begin(), m.begin() + 8),
        (Bytes{0xF0, 0x7F, 0x7F, 0x08, std::uint8_t(twoBytes ? 0x09 : 0x08), 0x03, 0x7F, 0x7F}));
    EXPECT_EQ(m.back(), 0xF7);
    std::vector<double> cents;
    for (const std::uint8_t* t = &m[8]; t < &m.back(); t += perTone) {
        cents.push_back(twoBytes ? ((t[0] << 7 | t[1]) - 8192) * 100.0 / 8192.0 : t[0] - 64.0);
    }
    return cents;
}

// Three bytes of a key: semitone, then the fraction's high and low seven bits.
double readKeyHz(const std::uint8_t* t) {
    return equalHz(t[0] + (t[1] << 7 | t[2]) / 16384.0);
}

// Keys whose pitch lies within the standard's range, notes 0 .. 127 of equal temperament.
bool representable(const Tuning& t, int key) {
    return t.frequencyHz(key) >= equalHz(0) && t.frequencyHz(key) < equalHz(127.99);
}

// Every tone 30 cent from equal temperament, alternately up and down.
const SliderPositions kExtremes{600, -600, 600, -600, 600, -600, 600, -600, 600, -600, 600};

class Tunings : public ::testing::TestWithParam<Tuning> {};

INSTANTIATE_TEST_SUITE_P(All, Tunings,
                         ::testing::Values(Tuning(), Tuning::preset(PresetId::pyt),
                                           Tuning::preset(PresetId::ren),
                                           Tuning::preset(PresetId::werck3), Tuning(kExtremes)));

TEST_P(Tunings, ScaleOctaveOffsetsDecodeToTheFormula) {
    const auto two = readScaleOctave(mts::scaleOctaveTuning2Byte(GetParam()), true);
    const auto one = readScaleOctave(mts::scaleOctaveTuning1Byte(GetParam()), false);
    for (int i = 0; i < 12; ++i) {
        EXPECT_NEAR(two[static_cast<std::size_t>(i)], wantedOffset(GetParam(), i), 0.02) << i;
        EXPECT_EQ(one[static_cast<std::size_t>(i)], std::round(wantedOffset(GetParam(), i))) << i;
    }
}

TEST_P(Tunings, SingleNoteChangesGiveEveryKeyItsPitch) {
    const auto messages = mts::singleNoteTuningChanges(GetParam());
    ASSERT_EQ(messages.size(), 2U);
    int nextKey = 0;
    for (const Bytes& m : messages) {
        ASSERT_EQ(Bytes(m.begin(), m.begin() + 6), (Bytes{0xF0, 0x7F, 0x7F, 0x08, 0x02, 0x00}));
        ASSERT_EQ(m.size(), 8 + 4 * std::size_t{m[6]});
        EXPECT_EQ(m.back(), 0xF7);
        for (std::size_t at = 7; at + 4 < m.size(); at += 4, ++nextKey) {
            ASSERT_EQ(m[at], nextKey);
            const double hz = readKeyHz(&m[at + 1]);
            EXPECT_NEAR(centsBetween(hz, GetParam().frequencyHz(nextKey)), 0,
                        representable(GetParam(), nextKey) ? 0.01 : 30)
                << nextKey;
        }
    }
    EXPECT_EQ(nextKey, 128);
}

TEST_P(Tunings, AnaMarkTunReadsBackExactly) {
    std::istringstream file(writeAnaMarkTun("Test", GetParam()));
    std::string line, section;
    double baseHz = 0;
    int exactNotes = 0;
    while (std::getline(file, line)) {
        if (line.starts_with('[')) {
            section = line;
        } else if (section == "[Exact Tuning]" && line.starts_with("BaseFreq=")) {
            baseHz = std::stod(line.substr(9));
        } else if (line.starts_with("note ")) {
            const int note = std::stoi(line.substr(5));
            const double cents = std::stod(line.substr(line.find('=') + 1));
            const bool exact = section == "[Exact Tuning]";
            const double base = exact ? baseHz : 8.1757989156;
            EXPECT_NEAR(centsBetween(base * std::exp2(cents / 1200), GetParam().frequencyHz(note)),
                        0, exact ? 0.01 : 0.5);
            exactNotes += exact ? 1 : 0;
        }
    }
    EXPECT_EQ(exactNotes, 128);
}

TEST_P(Tunings, BulkDumpReadsBackWithItsChecksum) {
    const Bytes dump = writeTuningDumpSyx("Pythagoraeisk", GetParam());
    ASSERT_EQ(dump.size(), 408U);
    EXPECT_EQ(Bytes(dump.begin(), dump.begin() + 6), (Bytes{0xF0, 0x7E, 0x7F, 0x08, 0x01, 0x00}));
    EXPECT_EQ(std::string(dump.begin() + 6, dump.begin() + 22), "Pythagoraeisk   ");
    const auto checksum = std::accumulate(dump.begin() + 1, dump.begin() + 406, 0, std::bit_xor{});
    EXPECT_EQ(dump[406], checksum & 0x7F);
    EXPECT_EQ(dump[407], 0xF7);
    for (int key = 0; key < 128; ++key) {
        const double hz = readKeyHz(&dump[22 + 3 * static_cast<std::size_t>(key)]);
        if (representable(GetParam(), key)) {
            EXPECT_NEAR(centsBetween(hz, GetParam().frequencyHz(key)), 0, 0.01) << key;
        }
    }
}

// The keyboard map's numbers in order, comments skipped, as Scala reads them.
std::vector<double> readKeyboardMap(const std::string& text) {
    std::istringstream file(text);
    std::vector<double> numbers;
    for (std::string line; std::getline(file, line);) {
        if (!line.starts_with('!')) {
            numbers.push_back(std::stod(line));
        }
    }
    return numbers;
}

TEST_P(Tunings, KeyboardMapWithTheScaleTunesNotes) {
    const auto map = readKeyboardMap(writeScalaKeyboardMap("t.kbm"));
    ASSERT_EQ(map.size(), 19U); // size, first, last, middle, reference, Hz, octave, 12 degrees
    const auto scale = std::get<ScalaScale>(readScala(writeScala("t.scl", "t", GetParam())));
    ASSERT_EQ(map[3], map[4]); // the reference note is the middle note, the scale's degree 0
    const auto hz = [&](int note) {
        const int degree = ((note - static_cast<int>(map[3])) % 12 + 12) % 12;
        const int octave = (note - static_cast<int>(map[3]) - degree) / 12;
        const double cents = scale.tuning.cents(static_cast<int>(map[7 + std::size_t(degree)]));
        return map[5] * std::exp2((cents + 1200.0 * octave) / 1200);
    };
    EXPECT_DOUBLE_EQ(hz(60), 261.6);
    for (const int note : {21, 64, 67, 108}) {
        EXPECT_NEAR(centsBetween(hz(note), GetParam().frequencyHz(note)), 0, 0.01) << note;
    }
}

struct RateCase {
    const char* name;
    std::size_t bytes;
    std::vector<int> offersMs; // offered at these times
    std::vector<int> sentMs;   // polled each millisecond: sent at these
};

class RateLimit : public ::testing::TestWithParam<RateCase> {};

TEST_P(RateLimit, SendsTheLastStateNoFasterThanAllowed) {
    mts::TuningRateLimit limit;
    const auto start = mts::TuningRateLimit::Clock::time_point{};
    std::vector<int> sent;
    for (int ms = 0; ms < 2000; ++ms) {
        if (std::ranges::count(GetParam().offersMs, ms) > 0)
            limit.offer(GetParam().bytes);
        if (limit.takeDue(start + std::chrono::milliseconds(ms)))
            sent.push_back(ms);
    }
    EXPECT_EQ(sent, GetParam().sentMs);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RateLimit,
    ::testing::Values(RateCase{"drag", 32, {0, 1, 5, 19, 20, 21, 30}, {0, 20, 40}},
                      RateCase{"cable", 528, {0, 10, 100, 150}, {0, 169}},
                      RateCase{"afterPause", 20, {0, 500, 510}, {0, 500, 520}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
