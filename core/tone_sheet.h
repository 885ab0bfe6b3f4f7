#pragma once

// A tuning as a handout's table: for each tone from c to c' its cents and frequency and how far
// the major third and the fifth above it lie from pure and how fast they beat, every number as
// the readout panel and the marks' texts give it (rounded to a tenth; pitches from 261.6 Hz).
#include "core/tone_table.h"

#include <array>
#include <string>

namespace klangora {

struct ToneSheetRow {
    double cents = 0.0;
    double frequencyHz = 0.0;
    double thirdDeviationCents = 0.0;
    double thirdBeatsPerSecond = 0.0;
    double fifthDeviationCents = 0.0;
    double fifthBeatsPerSecond = 0.0;
};

// By tone index 0 (c) .. 12 (c').
using ToneSheet = std::array<ToneSheetRow, 13>;

ToneSheet toneSheet(const ToneTable& tones);

// The words of the table in one language (UTF-8): the column headings and the notes' names.
struct ToneSheetWords {
    std::array<std::string, 7> headings; // tone, cents, Hz, third, its beats, fifth, its beats
    std::array<std::string, 13> noteNames;
};

// One line of headings, then one line a tone; commas between the fields and a point in the
// numbers, as spreadsheets read CSV everywhere; a field holding a comma or a quote is quoted.
std::string toneSheetCsv(const ToneSheet& sheet, const ToneSheetWords& words);

} // namespace klangora
