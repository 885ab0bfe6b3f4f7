#include "support/recording_player.h"
#include "support/tuned_table.h"

#include "sound/chord_player.h"
#include "sound/chord_synthesis.h"
#include "sound/reference_synthesis.h"

#include <gtest/gtest.h>

using namespace klangora;
using klangora::test_support::tunedTo;

TEST(ToneFrequency, ReadsTheSlotOfTheToneNumber) {
    const ToneTable table = tunedTo(PresetId::lige, 11025);
    EXPECT_EQ(toneFrequencyHz(table, 1), 261.0);
    EXPECT_EQ(toneFrequencyHz(table, 13), 522.0);
    EXPECT_EQ(toneFrequencyHz(table, 0), 246.5); // the h below the fixed c
    EXPECT_EQ(toneFrequencyHz(table, -23), 65.25);
    EXPECT_EQ(toneFrequencyHz(table, 36), 1972.0);
    EXPECT_EQ(toneFrequencyHz(table, -24), 61.625); // below the table: half of slot 12
    EXPECT_EQ(toneFrequencyHz(table, -25), 0.0);
    EXPECT_EQ(toneFrequencyHz(table, 37), 0.0);
}

TEST(ChordPlayer, PlaysThreeTonesOfTheTable) {
    const ToneTable table = tunedTo(PresetId::lige, 11025);
    RecordingPlayer player;
    playThreeVoices(player, table, 1, 5, 8, 2000, 20);
    ASSERT_EQ(player.images.size(), 1u);
    const std::vector<double> hz = {261.0, 329.0, 391.0};
    EXPECT_EQ(player.images[0], referenceChordImage(hz, 2000, 20, 11025));
    EXPECT_EQ(player.images[0].size(), 22096u);
}

TEST(ChordPlayer, PlaysFourTonesWithTheFourVoiceWeights) {
    const ToneTable table = tunedTo(PresetId::lige, 11025);
    RecordingPlayer player;
    playFourVoices(player, table, 5, 1, -4, -23, 1000, 20);
    playFourVoices(player, table, 5, 1, -4, -24, 1100, 20); // the h below the table
    ASSERT_EQ(player.images.size(), 2u);
    EXPECT_EQ(player.images[0], referenceChordImage(std::vector<double>{329.0, 261.0, 195.5, 65.25},
                                                    1000, 20, 11025));
    EXPECT_EQ(
        player.images[1],
        referenceChordImage(std::vector<double>{329.0, 261.0, 195.5, 61.625}, 1100, 20, 11025));
    EXPECT_EQ(player.images[1].size(), 46u + 12127u);
}

TEST(ChordPlayer, BuildsAtTheTablesSampleRate) {
    const ToneTable table = tunedTo(PresetId::lige, 8000);
    RecordingPlayer player;
    playThreeVoices(player, table, 1, 5, 8, 1000, 20);
    ASSERT_EQ(player.images.size(), 1u);
    EXPECT_EQ(player.images[0].size(), 46u + 8000u);
    EXPECT_EQ(player.images[0][24] | player.images[0][25] << 8, 8000);
    EXPECT_EQ(player.images[0],
              chordImage(std::vector<double>{261.0, 329.0, 391.0}, 1000, 20, 8000));
}
