#pragma once

// The exercises' words for tones and intervals.
#include "core/exercises/interval.h"

#include <QString>

// The note name of tone index 0..24 as the readout panel writes it, with ' an octave up.
QString exerciseNoteName(int toneIndex);

// "den store terts C–E", "kvinten F–C'".
QString intervalName(klangora::IntervalKind kind, int lowerToneIndex);
