#pragma once

#include <QString>

// `klangora --triads FILE.mid [--tuning NAME]`: the piece's major triads, how long each sounds
// and how pure its third and fifth are in the tuning, printed as one line per triad. Returns
// the program's exit status: 0, or 1 with a Danish reason on standard error when the piece or
// the tuning cannot be read.
int printTriads(const QString& midiFile, const QString& tuningName);
