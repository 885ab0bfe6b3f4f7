#pragma once

#include "core/tuning.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace klangora {

// A Scala scale file (.scl), the exchange format of tuning software: comment lines begin with
// '!', the first other line describes the scale, the next gives the number of pitches, and then
// come the pitches above the unison, one a line, in cents ("386.31") or as a ratio ("5/4", "2"),
// the last one being the period. Klangora shows those with twelve pitches and the octave as
// period whose tones lie within 30 cent of equal temperament.

// A scale the window can show: the description as UTF-8, and the tuning, named as a file by
// its description.
struct ScalaScale {
    std::string description;
    Tuning tuning;
};

enum class ScalaFault {
    noPitchCount,    // no line with the number of pitches after the description
    missingPitches,  // the file ends before all the pitches it announced
    badPitch,        // a pitch line holds neither cents nor a positive ratio
    valueTooLarge,   // a number too large to read
    wrongPitchCount, // a good scale, but not of twelve pitches
    lastNotOctave,   // twelve pitches whose period is not the octave 2/1
    toneTooFar,      // a tone more than 30 cent away from equal temperament
};

// Why a text cannot be shown, with what a message needs to say it.
struct ScalaError {
    ScalaFault fault = ScalaFault::noPitchCount;
    int line = 0;                  // the line concerned, counted from 1; 0 where none
    std::int64_t pitchCount = 0;   // the number of pitches the file announces
    std::int64_t pitchesFound = 0; // missingPitches: the pitch lines it has
    int toneIndex = 0;             // toneTooFar: 1 (C#) .. 11 (H)
    double distanceCents = 0.0;    // toneTooFar: the tone minus its equal-tempered value
};

using ScalaReadResult = std::variant<ScalaScale, ScalaError>;

// Reads the bytes of a whole file (UTF-8 or Latin-1; LF, CRLF or CR line ends). Numbers never
// depend on a locale, and cents convert exactly from their decimal digits.
ScalaReadResult readScala(std::string_view text);

// The file text of a tuning: a comment with the file name, the description, " 12", the
// eleven tones in cents with two decimals (exact, since a position counts 1/20 cent) and the
// octave " 2/1"; UTF-8 with LF line ends.
std::string writeScala(std::string_view fileName, std::string_view description,
                       const Tuning& tuning);

} // namespace klangora
