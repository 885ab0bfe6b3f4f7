#pragma once

// Where the General MIDI sound fonts of a Debian system lie, and which of them to load first.
#include <filesystem>
#include <optional>
#include <vector>

namespace klangora {

// The folders Debian's sound-font packages install into, the .sf3 folder first.
std::vector<std::filesystem::path> systemSoundFontFolders();

// Every font file in the folders, in the order they are tried: TimGM6mb (the truest tuned of
// Debian's fonts, measured), then MuseScore General, then the system's default General MIDI
// font (Debian's default-GM.sf2 and default-GM.sf3 alternatives), then any other .sf2/.sf3.
// A file reached by two names (an alternative and its target) is listed once.
std::vector<std::filesystem::path>
soundFontCandidates(const std::vector<std::filesystem::path>& folders);

// The first candidate in the system's folders, if any font is installed.
std::optional<std::filesystem::path> preferredSystemSoundFont();

} // namespace klangora
