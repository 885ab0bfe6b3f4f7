#include "support/tuned_table.h"

namespace klangora::test_support {

ToneTable tunedTo(const SliderPositions& positions, int sampleRate) {
    ToneTable table;
    table.sampleRate = sampleRate;
    scrolTILcent(table, positions);
    deriveThirdsAndFifths(table);
    IndlaesFrek(table);
    return table;
}

ToneTable tunedTo(PresetId preset, int sampleRate) {
    return tunedTo(presetPositions(preset), sampleRate);
}

} // namespace klangora::test_support
