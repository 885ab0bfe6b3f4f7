// B between the tunings on either side of the last whole-tuning change.
#include "core/music/tuning_toggle.h"
#include "core/presets.h"

#include <gtest/gtest.h>

using namespace klangora;

namespace {

using Toggle = TuningToggle;

Tuning preset(PresetId id) {
    return Tuning::preset(id);
}

TEST(TuningToggle, NothingToSwitchToBeforeTheFirstWholeChange) {
    Toggle toggle;
    EXPECT_FALSE(toggle.available());
    EXPECT_FALSE(toggle.toggle().has_value());
}

TEST(TuningToggle, BGoesBackAndForthBetweenTheLastTwoWholeTunings) {
    Toggle toggle;
    toggle.wholeChange(preset(PresetId::pyt), preset(PresetId::praet));
    toggle.wholeChange(preset(PresetId::praet), preset(PresetId::lige));
    EXPECT_EQ(toggle.toggle(), preset(PresetId::praet));
    EXPECT_EQ(toggle.toggle(), preset(PresetId::lige));
    EXPECT_EQ(toggle.toggle(), preset(PresetId::praet));
}

TEST(TuningToggle, APresetPressedAgainKeepsWhatBComparesWith) {
    Toggle toggle;
    toggle.wholeChange(preset(PresetId::pyt), preset(PresetId::werck3));
    toggle.wholeChange(preset(PresetId::werck3), preset(PresetId::werck3));
    EXPECT_EQ(toggle.toggle(), preset(PresetId::pyt));
}

TEST(TuningToggle, ANewWholeChangeAfterBStartsFromItsOwnPair) {
    Toggle toggle;
    toggle.wholeChange(preset(PresetId::pyt), preset(PresetId::ren));
    ASSERT_EQ(toggle.toggle(), preset(PresetId::pyt));
    toggle.wholeChange(preset(PresetId::pyt), preset(PresetId::bach));
    EXPECT_EQ(toggle.toggle(), preset(PresetId::pyt));
    EXPECT_EQ(toggle.toggle(), preset(PresetId::bach));
}

} // namespace
