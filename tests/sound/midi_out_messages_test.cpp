// What goes out to an instrument outside, decoded from the bytes themselves: a piece's channels
// (never the percussion channel) in the order played, even when the window's side lags behind
// the audio thread; an exercise's tones on channel 1, retuned where they leave the tuning; the
// panic on every channel.
#include "core/mts/midi_tuning_messages.h"
#include "core/presets.h"
#include "sound/midi/live_event_midi.h"
#include "sound/music/piece_scheduler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

using namespace klangora;
using Messages = std::vector<std::vector<std::uint8_t>>;

namespace {

Messages drain(PieceMidiQueue& queue) {
    Messages messages;
    while (const auto message = queue.pop()) {
        messages.emplace_back(message->bytes.begin(), message->bytes.begin() + message->size);
    }
    return messages;
}

// What a receiver holds after the messages: channel << 8 | key, to its velocity.
std::map<int, int> held(const Messages& messages) {
    std::map<int, int> notes;
    for (const auto& m : messages) {
        const int channel = m[0] & 0x0F;
        if ((m[0] & 0xF0) == 0x90 && m[2] > 0) {
            notes[channel << 8 | m[1]] = m[2];
        } else if ((m[0] & 0xF0) == 0x80 || (m[0] == (0xB0 | channel) && m[1] == 123)) {
            std::erase_if(notes, [&](const auto& n) {
                return (m[0] & 0xF0) == 0x80 ? n.first == (channel << 8 | m[1])
                                             : n.first >> 8 == channel;
            });
        }
    }
    return notes;
}

} // namespace

TEST(PieceMidiOut, ChannelsAndProgramsGoOutInOrderWithoutTheDrums) {
    Piece piece{"",
                {{0.0, PieceEvent::Kind::program, 1, 40, 0},
                 {0.0, PieceEvent::Kind::noteOn, 1, 64, 100},
                 {0.0, PieceEvent::Kind::noteOn, 9, 36, 90},
                 {0.1, PieceEvent::Kind::sustain, 1, 0, 127},
                 {0.2, PieceEvent::Kind::noteOff, 1, 64, 0},
                 {0.3, PieceEvent::Kind::sustain, 1, 0, 0}},
                0.4,
                2};
    LiveSynth synth;
    PiecePlayer player(48000);
    PieceScheduler scheduler(player);
    scheduler.midiQueue().setEnabled(true);
    player.load(std::shared_ptr<const Piece>(std::shared_ptr<const Piece>(), &piece));
    player.play();
    synth.setScheduler(&scheduler);
    std::vector<float> block(512);
    for (int i = 0; i < 50; ++i) {
        synth.render(block, 48000);
    }
    Messages sent = drain(scheduler.midiQueue());
    ASSERT_GE(sent.size(), 15U); // first each channel's program, percussion's not among them
    for (std::size_t i = 0; i < 15; ++i) {
        EXPECT_EQ(sent[i],
                  (std::vector<std::uint8_t>{std::uint8_t(0xC0 | (i < 9 ? i : i + 1)), 0}));
    }
    const Messages played(sent.begin() + 15, sent.end());
    EXPECT_EQ(
        played,
        (Messages{{0xC1, 40}, {0x91, 64, 100}, {0xB1, 64, 127}, {0x81, 64, 0}, {0xB1, 64, 0}}));
}

// Pushes far beyond the queue while nothing drains it: with the backlog, every message in
// order; beyond even that, the state at the end, every note held as the piece leaves it.
class PieceMidiLag : public testing::TestWithParam<std::size_t> {};

TEST_P(PieceMidiLag, NothingIsLostForGood) {
    PieceMidiQueue queue;
    queue.setEnabled(true);
    Messages pushed;
    for (std::size_t i = 0; i < GetParam(); ++i) {
        const auto channel = static_cast<std::uint8_t>(i % 11);
        const auto key = static_cast<std::uint8_t>(i / 3 % 128);
        const bool on = i % 7 != 0;
        queue.push({0, on ? PieceEvent::Kind::noteOn : PieceEvent::Kind::noteOff, channel, key,
                    std::uint8_t(on ? 1 + i % 126 : 0)});
        if (channel != 9) {
            pushed.push_back({std::uint8_t((on ? 0x90 : 0x80) | channel), key,
                              std::uint8_t(on ? 1 + i % 126 : 0)});
        }
    }
    Messages received;
    for (int callback = 0; callback < 8; ++callback) {
        const Messages part = drain(queue);
        received.insert(received.end(), part.begin(), part.end());
        queue.retry();
    }
    if (GetParam() <= 2 * PieceMidiQueue::kCapacity) {
        EXPECT_EQ(received, pushed);
    }
    EXPECT_EQ(held(received), held(pushed));
    EXPECT_FALSE(held(pushed).empty());
}

INSTANTIATE_TEST_SUITE_P(Lags, PieceMidiLag,
                         testing::Values(100, PieceMidiQueue::kCapacity + 500,
                                         3 * PieceMidiQueue::kCapacity));

struct ExerciseTone {
    double hz;
    int key;
    bool retuned;
};
class ExerciseToneOut : public testing::TestWithParam<ExerciseTone> {};

TEST_P(ExerciseToneOut, OnTheNearestKeyOfChannelOneAtItsOwnPitch) {
    const ExerciseTone tone = GetParam();
    const Tuning tuning = Tuning::preset(PresetId::bach);
    LiveEventMidi midi;
    midi.setTuning(tuning);
    const auto on = midi.translate(LiveEvent::fixedOn(VoiceSource::exercise, 1, tone.hz, 1.0f));
    ASSERT_EQ(on.size(), tone.retuned ? 15U : 3U);
    EXPECT_EQ(std::vector(on.end() - 3, on.end()),
              (std::vector<std::uint8_t>{0x90, std::uint8_t(tone.key), 127}));
    if (tone.retuned) { // F0 7F 7F 08 02 program 1 key semitone fraction(14 bits) F7
        EXPECT_EQ(on[7], tone.key);
        const double note = on[8] + (on[9] << 7 | on[10]) / 16384.0;
        EXPECT_NEAR(1200 * std::log2(mts::equalFrequencyHz(note) / tone.hz), 0, 0.01);
    }
    EXPECT_EQ(midi.translate(LiveEvent::fixedOff(VoiceSource::exercise, 1)),
              (std::vector<std::uint8_t>{0x80, std::uint8_t(tone.key), 0}));
    EXPECT_EQ(midi.takeRetuned(), tone.retuned);
}

INSTANTIATE_TEST_SUITE_P(
    Tones, ExerciseToneOut,
    testing::Values(ExerciseTone{392.4, 67, true}, ExerciseTone{327.0 / 2, 52, true},
                    ExerciseTone{Tuning::preset(PresetId::bach).frequencyHz(67), 67, false},
                    ExerciseTone{Tuning::preset(PresetId::bach).frequencyHz(31), 31, false}));

TEST(PanicOut, AllNotesOffAndThePedalUpOnEveryChannel) {
    LiveEventMidi midi;
    midi.translate(LiveEvent::noteOn(VoiceSource::computerKeys, 60, 1.0f));
    const auto bytes = midi.translate(LiveEvent::releaseAll());
    ASSERT_EQ(bytes.size(), 16U * 6);
    for (std::uint8_t channel = 0; channel < 16; ++channel) {
        const auto at = bytes.begin() + channel * 6;
        EXPECT_EQ(std::vector(at, at + 6),
                  (std::vector<std::uint8_t>{std::uint8_t(0xB0 | channel), 64, 0,
                                             std::uint8_t(0xB0 | channel), 123, 0}));
    }
}
