// The live instrument's two sides together: sources that let go only of their own notes, fixed
// tones that no retuning moves, and a queue that fills while the audio side stalls, after which
// the voices still end at the window's state. What sounds is taken from the rendered samples and
// from what the audio side reports, never from the window's own book-keeping.
#include "sound/instrument/live_instrument.h"
#include "support/hand_rendered.h"
#include "support/pitch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <functional>
#include <thread>
#include <vector>

using namespace klangora;
using test_support::handRendered;
using test_support::magnitudeAt;
using test_support::render;
using test_support::strongestHz;

namespace {

constexpr int kRate = 48000;

bool silent(const std::vector<double>& samples) {
    return std::all_of(samples.begin(), samples.end(), [](double s) { return s == 0.0; });
}

// A note's fundamental stands out of the rendering (a held voice's is about a hundred times
// stronger than what leaks from its neighbours).
bool heard(const std::vector<double>& samples, double hz) {
    return magnitudeAt(samples, kRate, hz) > 0.02;
}

std::bitset<128> notes(std::initializer_list<int> list) {
    std::bitset<128> bits;
    for (int note : list) {
        bits.set(static_cast<std::size_t>(note));
    }
    return bits;
}

struct SourceCase {
    const char* name;
    std::function<void(LiveInstrument&)> play;
    std::bitset<128> sounding;
};

void PrintTo(const SourceCase& c, std::ostream* out) {
    *out << c.name;
}

using S = VoiceSource;

const SourceCase kSourceCases[] = {
    {"oneSourcesReleaseLeavesAnothersNote",
     [](LiveInstrument& i) {
         i.noteOn(S::computerKeys, 60);
         i.noteOn(S::midi, 60);
         i.noteOff(S::computerKeys, 60);
     },
     notes({60})},
    {"aSourceLetGoLeavesTheOthers",
     [](LiveInstrument& i) {
         i.noteOn(S::mark, 64);
         i.noteOn(S::mark, 68);
         i.noteOn(S::midi, 60);
         i.releaseSource(S::mark);
     },
     notes({60})},
    {"holdsAreCountedWithinASource",
     [](LiveInstrument& i) {
         i.noteOn(S::computerKeys, 72);
         i.noteOn(S::computerKeys, 72);
         i.noteOff(S::computerKeys, 72);
     },
     notes({72})},
    {"thePedalHoldsAReleasedNote",
     [](LiveInstrument& i) {
         i.sustain(S::midi, true);
         i.noteOn(S::midi, 62);
         i.noteOff(S::midi, 62);
     },
     notes({62})},
    {"thePedalOfOneSourceHoldsNoOthers",
     [](LiveInstrument& i) {
         i.sustain(S::midi, true);
         i.noteOn(S::computerKeys, 62);
         i.noteOff(S::computerKeys, 62);
     },
     notes({})},
    {"thePedalUpEndsWhatItHeld",
     [](LiveInstrument& i) {
         i.sustain(S::piece, true);
         i.noteOn(S::piece, 62);
         i.noteOff(S::piece, 62);
         i.sustain(S::piece, false);
     },
     notes({})},
    {"releasingAllEndsEverySourceAndThePedal",
     [](LiveInstrument& i) {
         i.noteOn(S::computerKeys, 60);
         i.noteOn(S::mark, 64);
         i.noteOn(S::noteName, 65);
         i.sustain(S::midi, true);
         i.noteOn(S::midi, 67);
         i.noteOff(S::midi, 67);
         i.fixedOn(S::exercise, 1, 440.0);
         i.releaseAll();
         i.noteOff(S::computerKeys, 60); // the key's own release, after the panic
     },
     notes({})},
    {"aReleaseOfANoteNeverHeldDoesNothing",
     [](LiveInstrument& i) {
         i.noteOn(S::midi, 67);
         i.noteOff(S::computerKeys, 67);
     },
     notes({67})},
};

class LiveInstrumentSources : public testing::TestWithParam<SourceCase> {};

TEST_P(LiveInstrumentSources, EndWithTheseNotesSounding) {
    const SourceCase& c = GetParam();
    auto instrument = handRendered();
    c.play(*instrument);
    render(instrument->synth(), 0.3); // the attacks, and releases faded
    const auto samples = render(instrument->synth(), 0.5);
    EXPECT_EQ(instrument->soundingNotes(), c.sounding);
    EXPECT_EQ(instrument->heldNotes(), c.sounding);
    if (c.sounding.none()) {
        EXPECT_TRUE(silent(samples));
    }
    for (int note = 0; note < 128; ++note) {
        if (c.sounding.test(static_cast<std::size_t>(note))) {
            EXPECT_TRUE(heard(samples, instrument->frequencyHz(note))) << note;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, LiveInstrumentSources, testing::ValuesIn(kSourceCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Equal temperament with one pitch class elsewhere.
std::array<double, 12> equalWith(int pitchClass, double cents) {
    std::array<double, 12> tuning{};
    for (int i = 0; i < 12; ++i) {
        tuning[static_cast<std::size_t>(i)] = 100.0 * i;
    }
    tuning[static_cast<std::size_t>(pitchClass)] = cents;
    return tuning;
}

// An exercise's pure fifth above a' stays at 660 Hz while the scale's e'' glides with the tuning.
TEST(LiveInstrument, AFixedToneKeepsItsFrequencyThroughARetuning) {
    auto instrument = handRendered();
    instrument->fixedOn(S::exercise, 5, 660.0);
    instrument->noteOn(S::computerKeys, 64);
    render(instrument->synth(), 0.1);
    instrument->setTuning(equalWith(4, 386.0));
    render(instrument->synth(), 0.1);
    const auto samples = render(instrument->synth(), 0.5);
    EXPECT_NEAR(strongestHz(samples, kRate, 650, 670, 0.1), 660.0, 0.2);
    EXPECT_NEAR(strongestHz(samples, kRate, 322, 332, 0.1), 261.6 * std::exp2(386.0 / 1200), 0.2);
    instrument->fixedOff(S::exercise, 5);
    instrument->noteOff(S::computerKeys, 64);
    render(instrument->synth(), 0.2);
    EXPECT_TRUE(silent(render(instrument->synth(), 0.1)));
}

// ---- A full queue ----

// Events enough to fill the queue many times over, while nothing renders.
void flood(LiveInstrument& instrument, int events) {
    for (int n = 0; n < events; ++n) {
        const int note = 30 + (n / 2) % 40;
        if (n % 2 == 0) {
            instrument.noteOn(S::midi, note, 0.5f);
        } else {
            instrument.noteOff(S::midi, note);
        }
    }
}

struct StallCase {
    const char* name;
    std::function<void(LiveInstrument&)> whileFull;
    std::bitset<128> sounding;
    int tunedNote;     // a note whose pitch is measured afterwards, or -1
    double tunedCents; // its pitch class's cents above c after the stall
};

void PrintTo(const StallCase& c, std::ostream* out) {
    *out << c.name;
}

const StallCase kStallCases[] = {
    {"aReleaseWhileFull", [](LiveInstrument& i) { i.noteOff(S::computerKeys, 72); }, notes({}), -1,
     0},
    {"aPressWhileFull", [](LiveInstrument& i) { i.noteOn(S::computerKeys, 76); }, notes({72, 76}),
     76, 400},
    {"aRetuningWhileFull", [](LiveInstrument& i) { i.setTuning(equalWith(0, 17.6)); }, notes({72}),
     72, 17.6},
    {"everythingLetGoWhileFull", [](LiveInstrument& i) { i.releaseAll(); }, notes({}), -1, 0},
    {"aSourceLetGoWhileFull",
     [](LiveInstrument& i) {
         i.noteOn(S::mark, 79);
         i.releaseSource(S::computerKeys);
     },
     notes({79}), 79, 700},
};

class LiveInstrumentStalled : public testing::TestWithParam<StallCase> {};

// The audio side stalls (as with a frozen server) while twelve thousand MIDI events arrive and
// the case's change is made; when it renders again, it ends in the window's state.
TEST_P(LiveInstrumentStalled, EndsInTheWindowsState) {
    const StallCase& c = GetParam();
    auto instrument = handRendered();
    instrument->noteOn(S::computerKeys, 72);
    render(instrument->synth(), 0.05);
    flood(*instrument, 12000);
    ASSERT_TRUE(instrument->handOverPending());
    c.whileFull(*instrument);
    render(instrument->synth(), 0.01); // drains what the queue held
    EXPECT_TRUE(instrument->settle());
    render(instrument->synth(), 0.3);
    EXPECT_EQ(instrument->soundingNotes(), c.sounding);
    EXPECT_EQ(instrument->heldNotes(), c.sounding);
    const auto samples = render(instrument->synth(), 0.5);
    if (c.sounding.none()) {
        EXPECT_TRUE(silent(samples));
    }
    if (c.tunedNote >= 0) {
        const double hz = 261.6 * std::exp2((c.tunedNote - 60) / 12 + c.tunedCents / 1200);
        EXPECT_NEAR(strongestHz(samples, kRate, hz - 6, hz + 6, 0.1), hz, 0.2);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, LiveInstrumentStalled, testing::ValuesIn(kStallCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The queue fills again before the audio side has taken over the first state: the second
// hand-over still lands, after the events queued between the two.
TEST(LiveInstrument, TwoHandOversInARowEndInTheLaterState) {
    auto instrument = handRendered();
    flood(*instrument, 10000);
    render(instrument->synth(), 0.01);
    ASSERT_TRUE(instrument->settle());
    instrument->noteOn(S::computerKeys, 60);
    flood(*instrument, 10000);
    instrument->noteOn(S::computerKeys, 67);
    instrument->noteOff(S::computerKeys, 60);
    ASSERT_TRUE(instrument->handOverPending());
    render(instrument->synth(), 0.01);
    ASSERT_TRUE(instrument->settle());
    render(instrument->synth(), 0.2);
    EXPECT_EQ(instrument->soundingNotes(), notes({67}));
}

// The same with a real audio thread rendering all along and the window's thread flooding it:
// whatever the interleaving, the end is the window's state.
TEST(LiveInstrument, AFloodWhileTheAudioThreadRunsEndsInTheWindowsState) {
    auto instrument = handRendered();
    std::atomic<bool> stop{false};
    std::thread audio([&] {
        std::vector<float> block(64);
        while (!stop) {
            instrument->synth().render(block, kRate);
        }
    });
    for (int round = 0; round < 20; ++round) {
        flood(*instrument, 5000);
        instrument->setTuning(equalWith(round % 12, 100.0 * (round % 12) + round));
    }
    instrument->noteOn(S::computerKeys, 48);
    while (!instrument->settle()) {
        std::this_thread::yield();
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (instrument->soundingNotes() != instrument->heldNotes() &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::yield();
    }
    stop = true;
    audio.join();
    EXPECT_EQ(instrument->soundingNotes(), instrument->heldNotes());
    EXPECT_TRUE(instrument->soundingNotes().test(48));
}

} // namespace
