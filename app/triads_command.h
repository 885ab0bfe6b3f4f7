#pragma once

#include <QCommandLineOption>
#include <QString>

// `klangora --triads FILE.mid [--tuning NAME] [--triad-kind major|minor|both]`: the piece's major
// or minor triads or both, how long each sounds and how pure its third and fifth are in the
// tuning, printed as one line per triad. Returns the program's exit status: 0, 1 with a reason
// on standard error when the piece or the tuning cannot be read, or 2 when the kind is unknown.
int printTriads(const QString& midiFile, const QString& tuningName, const QString& kind = {});

// --triad-kind, in the interface's language.
QCommandLineOption triadKindOption();
