#pragma once

// `klangora --export-diagram FILE.{pdf,svg,png,csv} [--tuning NAME] [--zoom PERCENT]`: the
// handout of a tuning (its name, the triad diagram with the readout panel, the table of its
// tones) written without a window, for a teacher's worksheets; a PNG drawn at the zoom.
#include <QCommandLineOption>
#include <QString>

QCommandLineOption exportDiagramOption();

// Needs a QApplication (on the offscreen platform when no display is wanted). Returns the exit
// status: 0, 1 with a reason on standard error when the file cannot be written, 2 when its
// name ends in no format the handout is written in.
int exportDiagram(const QString& fileName, const QString& tuningName, int zoomPercent);
