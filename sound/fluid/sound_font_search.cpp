#include "sound/fluid/sound_font_search.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <system_error>

namespace klangora {

namespace fs = std::filesystem;

namespace {

// The names tried first, in order; any other font in the folders follows, sorted by name.
// TimGM6mb comes first because it is the truest: measured (fluid_bench --font-tuning), its
// harpsichord's and organ's thirds and fifths above c' are within 0.02 cents of the tuning asked
// for and its keys c to c''' within 1.1 and 3.7 cents of one another, where MuseScore General's
// and FluidR3's harpsichord thirds are 4 cents flat, their fifths 2 cents flat, their organ's
// thirds and fifths 5 and 8 cents sharp: enough to hide the difference between a Pythagorean
// and an equal third. It is also the font libfluidsynth itself brings, and loads in 0.1 s.
constexpr std::array<std::string_view, 6> kPreferredNames = {
    "TimGM6mb.sf2",   "MuseScore_General.sf3", "MuseScore_General.sf2",
    "default-GM.sf2", "default-GM.sf3",        "FluidR3_GM.sf2"};

bool isSoundFontName(const fs::path& path) {
    const auto extension = path.extension().string();
    return extension == ".sf2" || extension == ".sf3" || extension == ".SF2" || extension == ".SF3";
}

bool isReadableFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error); // follows the alternatives' symbolic links
}

// The real file behind a name, so that an alternative and its target count once.
fs::path identity(const fs::path& path) {
    std::error_code error;
    const auto real = fs::canonical(path, error);
    return error ? path : real;
}

void addOnce(std::vector<fs::path>& list, std::vector<fs::path>& seen, const fs::path& path) {
    if (!isReadableFile(path)) {
        return;
    }
    const auto real = identity(path);
    if (std::find(seen.begin(), seen.end(), real) != seen.end()) {
        return;
    }
    seen.push_back(real);
    list.push_back(path);
}

std::vector<fs::path> otherFonts(const fs::path& folder) {
    std::vector<fs::path> fonts;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (isSoundFontName(entry.path())) {
            fonts.push_back(entry.path());
        }
    }
    std::sort(fonts.begin(), fonts.end());
    return fonts;
}

} // namespace

std::vector<fs::path> systemSoundFontFolders() {
    return {"/usr/share/sounds/sf3", "/usr/share/sounds/sf2", "/usr/share/soundfonts"};
}

std::vector<fs::path> soundFontCandidates(const std::vector<fs::path>& folders) {
    std::vector<fs::path> list;
    std::vector<fs::path> seen;
    for (std::string_view name : kPreferredNames) {
        for (const auto& folder : folders) {
            addOnce(list, seen, folder / name);
        }
    }
    for (const auto& folder : folders) {
        for (const auto& font : otherFonts(folder)) {
            addOnce(list, seen, font);
        }
    }
    return list;
}

std::optional<fs::path> preferredSystemSoundFont() {
    const auto candidates = soundFontCandidates(systemSoundFontFolders());
    if (candidates.empty()) {
        return std::nullopt;
    }
    return candidates.front();
}

} // namespace klangora
