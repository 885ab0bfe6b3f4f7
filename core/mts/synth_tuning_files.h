#pragma once

// Tuning files that synthesisers read, each from the tuning's pitch of every MIDI note (the
// fixed c as note 60 at 261.6 Hz, octaves exactly 2:1):
// - AnaMark .tun: every note's cents above 8.1757989156 Hz (note 0 at A4 = 440 Hz), in whole
//   cents for old readers ([Tuning]) and exactly ([Exact Tuning]);
// - Scala .kbm: the keyboard mapping beside a .scl, which puts the scale's first degree on note
//   60 and tunes that note to 261.6 Hz;
// - MTS bulk dump .syx: the standard's non-real-time dump of all 128 keys.
#include "core/tuning.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace klangora {

inline constexpr double kAnaMarkBaseHz = 8.1757989156;

std::string writeAnaMarkTun(std::string_view description, const Tuning& tuning);
std::string writeScalaKeyboardMap(std::string_view fileName);
std::vector<std::uint8_t> writeTuningDumpSyx(std::string_view name, const Tuning& tuning);

enum class SynthTuningFormat { scala, keyboardMap, anaMark, tuningDump };

// The format a file name's extension asks for (any case); nothing for an unknown extension.
std::optional<SynthTuningFormat> synthTuningFormatOf(std::string_view fileName);

// The bytes of the file in the format asked for.
std::string synthTuningFile(SynthTuningFormat format, std::string_view fileName,
                            std::string_view description, const Tuning& tuning);

} // namespace klangora
