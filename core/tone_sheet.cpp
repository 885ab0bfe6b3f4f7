#include "core/tone_sheet.h"

#include "core/readings.h"
#include "core/rounding.h"

#include <cstddef>
#include <cstdio>

namespace klangora {

namespace {

double tenthOf(long double value) {
    return static_cast<double>(roundHalfEven(value * 10.0L)) / 10.0;
}

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value == 0.0 ? 0.0 : value); // no "-0.0"
    return text;
}

std::string field(const std::string& text) {
    if (text.find_first_of(",\"\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}

} // namespace

ToneSheet toneSheet(const ToneTable& tones) {
    ToneSheet sheet;
    for (std::size_t i = 0; i < sheet.size(); ++i) {
        // The beats of the intervals as they sound from the displayed pitches, as the marks'
        // texts count them.
        const long double rootHz = displayFrequencyHz(tones.toneCents[i]);
        const long double thirdHz = displayFrequencyHz(tones.toneCents[i + kMajorThirdSemitones]);
        const long double fifthHz = displayFrequencyHz(tones.toneCents[i + kFifthSemitones]);
        sheet[i] = {static_cast<double>(centReadout(tones.toneCents[i])),
                    static_cast<double>(frequencyReadout(tones.toneCents[i])),
                    static_cast<double>(deviationReadout(tones.thirdCents[i], kPureThirdCents)),
                    tenthOf(thirdBeatsPerSecond(rootHz, thirdHz)),
                    static_cast<double>(deviationReadout(tones.fifthCents[i], kPureFifthCents)),
                    tenthOf(fifthBeatsPerSecond(rootHz, fifthHz))};
    }
    return sheet;
}

std::string toneSheetCsv(const ToneSheet& sheet, const ToneSheetWords& words) {
    std::string csv;
    for (std::size_t h = 0; h < words.headings.size(); ++h) {
        if (h > 0) {
            csv += ',';
        }
        csv += field(words.headings[h]);
    }
    csv += "\n";
    for (std::size_t i = 0; i < sheet.size(); ++i) {
        const ToneSheetRow& row = sheet[i];
        csv += field(words.noteNames[i]);
        for (const double value :
             {row.cents, row.frequencyHz, row.thirdDeviationCents, row.thirdBeatsPerSecond,
              row.fifthDeviationCents, row.fifthBeatsPerSecond}) {
            csv += ',';
            csv += number(value);
        }
        csv += "\n";
    }
    return csv;
}

} // namespace klangora
