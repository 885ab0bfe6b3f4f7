#pragma once

// A handout of a tuning: its name over the triad diagram and the readout panel, the table of its
// tones (cents, frequency, the thirds' and fifths' deviations and beats) and, with a piece open,
// the piece's triad table. Printed, or written as PDF (vector, its words as text), SVG, PNG at
// any zoom (drawn at that size, not enlarged), or the tones' table alone as CSV.
#include "core/tuning.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class QPagedPaintDevice;
class QPainter;

struct Handout {
    QString tuningName;
    klangora::Tuning tuning;
    bool fifths = true; // the diagram's columns round the fifths, else chromatic
    // The piece's triad table as the window shows it, its headings first; empty without a piece.
    QList<QStringList> triadRows;
};

enum class HandoutFormat { pdf, svg, png, csv };

// By the file name's ending, in any case; none for any other.
std::optional<HandoutFormat> handoutFormat(const QString& fileName);

// Writes the handout in the format the name ends in; zoom (1 = 100 %) sizes a PNG. Returns the
// reason it could not be written, empty when it was.
QString writeHandout(const Handout& handout, const QString& fileName, double zoom = 1.0);

// Onto the pages of a printer or a PDF writer: the diagram and the tones on the first, the
// triads on the second. False when the pages cannot be painted on.
bool paintHandoutPages(const Handout& handout, QPagedPaintDevice& pages);

// The tones' table as CSV text (UTF-8), headings in the interface's language.
QByteArray toneSheetCsvText(const klangora::Tuning& tuning);
