// A piece's channels as they go out to an instrument outside, decoded from the bytes: never the
// percussion channel, in the order played, even when the window lags far behind the audio thread.
#include "sound/music/piece_scheduler.h"

#include <gtest/gtest.h>

using namespace klangora;
using Bytes = std::vector<std::uint8_t>;
using Messages = std::vector<Bytes>;

namespace {

void drain(PieceMidiQueue& queue, Messages& into) {
    while (const auto m = queue.pop()) {
        into.emplace_back(m->bytes.begin(), m->bytes.begin() + m->size);
    }
}

} // namespace

TEST(PieceMidiOut, ChannelsAndProgramsGoOutInOrderWithoutTheDrums) {
    using K = PieceEvent::Kind;
    Piece piece;
    piece.events = {{0, K::program, 1, 40, 0},
                    {0, K::noteOn, 1, 64, 100},
                    {0, K::noteOn, 9, 36, 90},
                    {0.1, K::sustain, 1, 0, 127},
                    {0.2, K::noteOff, 1, 64, 0}};
    piece.lengthSeconds = 0.4;
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
    Messages sent;
    drain(scheduler.midiQueue(), sent);
    ASSERT_EQ(sent.size(), 21U); // each channel's program first, percussion's not among them
    // At the end the pedal goes up and the note it held ends.
    EXPECT_EQ(Messages(sent.begin() + 15, sent.end()), (Messages{{0xC1, 40},
                                                                 {0x91, 64, 100},
                                                                 {0xB1, 64, 127},
                                                                 {0x81, 64, 0},
                                                                 {0xB1, 64, 0},
                                                                 {0x81, 64, 0}}));
}

// Beyond the queue while nothing drains it: the backlog keeps every message, in order.
class PieceMidiLag : public testing::TestWithParam<std::size_t> {};

TEST_P(PieceMidiLag, NothingIsLostForGood) {
    PieceMidiQueue queue;
    queue.setEnabled(true);
    Messages pushed, received;
    for (std::size_t i = 0; i < GetParam(); ++i) {
        const auto channel = std::uint8_t(i % 11), key = std::uint8_t(i / 3 % 128);
        const auto velocity = std::uint8_t(i % 7 == 0 ? 0 : 1 + i % 126);
        queue.push({0, velocity > 0 ? PieceEvent::Kind::noteOn : PieceEvent::Kind::noteOff, channel,
                    key, velocity});
        if (channel != 9) {
            pushed.push_back({std::uint8_t((velocity > 0 ? 0x90 : 0x80) | channel), key, velocity});
        }
    }
    for (int callback = 0; callback < 8; ++callback, queue.retry()) {
        drain(queue, received);
    }
    EXPECT_EQ(received, pushed);
}

INSTANTIATE_TEST_SUITE_P(Lags, PieceMidiLag,
                         testing::Values(100, PieceMidiQueue::kCapacity + 500,
                                         2 * PieceMidiQueue::kCapacity + 800));
