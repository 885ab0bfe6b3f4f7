// The order the sound fonts are tried in, on folders laid out as Debian's packages lay them:
// alternatives as symbolic links to the real files, which count once.
#include "sound/fluid/sound_font_search.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace klangora;
namespace fs = std::filesystem;

namespace {

class FontFolders : public ::testing::Test {
protected:
    fs::path root = fs::path(::testing::TempDir()) / "klangora_font_folders";
    fs::path sf3 = root / "sf3";
    fs::path sf2 = root / "sf2";

    void SetUp() override {
        fs::remove_all(root);
        fs::create_directories(sf3);
        fs::create_directories(sf2);
    }
    void TearDown() override { fs::remove_all(root); }
    static void file(const fs::path& path) { std::ofstream(path) << "RIFF"; }
};

} // namespace

TEST_F(FontFolders, TimThenMuseScoreThenTheDefaultThenTheRest) {
    file(sf3 / "MuseScore_General_Full.sf3");
    fs::create_symlink(sf3 / "MuseScore_General_Full.sf3", sf3 / "MuseScore_General.sf3");
    fs::create_symlink(sf3 / "MuseScore_General_Full.sf3", sf3 / "default-GM.sf3");
    file(sf2 / "FluidR3_GM.sf2");
    fs::create_symlink(sf2 / "FluidR3_GM.sf2", sf2 / "default-GM.sf2");
    file(sf2 / "TimGM6mb.sf2");
    file(sf2 / "Aaa_other.sf2");
    file(sf2 / "readme.txt");
    const std::vector<fs::path> expected = {sf2 / "TimGM6mb.sf2", sf3 / "MuseScore_General.sf3",
                                            sf2 / "default-GM.sf2", sf2 / "Aaa_other.sf2"};
    EXPECT_EQ(soundFontCandidates({sf3, sf2}), expected);
}

TEST_F(FontFolders, AnAlternativeCountsOnceUnderItsPreferredName) {
    file(sf2 / "TimGM6mb.sf2");
    fs::create_symlink(sf2 / "TimGM6mb.sf2", sf2 / "default-GM.sf2");
    file(sf3 / "Zeta.sf3");
    const std::vector<fs::path> expected = {sf2 / "TimGM6mb.sf2", sf3 / "Zeta.sf3"};
    EXPECT_EQ(soundFontCandidates({sf3, sf2}), expected);
}

TEST_F(FontFolders, ABrokenLinkAndEmptyOrMissingFoldersGiveNothing) {
    fs::create_symlink(sf2 / "gone.sf2", sf2 / "default-GM.sf2");
    EXPECT_TRUE(soundFontCandidates({sf3, sf2, root / "absent"}).empty());
}
