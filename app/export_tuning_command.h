#pragma once

#include <QString>

// `klangora --export-tuning NAME -o FILE`: the tuning NAME (as --tuning takes it) written as the
// file FILE's extension asks: Scala .scl or .kbm, AnaMark .tun, or an MTS bulk dump .syx, without
// a window. Returns the program's exit status: 0, or 1 with the reason on standard error.
int exportTuning(const QString& tuningName, const QString& outputFile);
