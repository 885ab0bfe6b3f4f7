#pragma once

#include "core/tone_table.h"

#include <QString>
#include <QStringList>

// What each part of the window says it is, in Danish: on hover and to a screen reader. Numbers
// are written as the readout panel writes them, in the user's regional settings.
namespace descriptions {

enum class ReadoutMode { frequency, cents, thirdDeviation, fifthDeviation };

// The text of the mark of column (tone number) 1..13 and row 0 root, 1 third, 2 fifth: a root
// names its tone and frequency; a third or fifth names its two tones, how far it lies from pure
// and how many times a second it beats. The four marks that stand for c say that c is fixed.
QString markDescription(const klangora::ToneTable& tones, int column, int row);

// The text of a major third or fifth between two sounding notes (MIDI note numbers, lower
// first), in the words and numbers of the mark that stands for it, its beats counted in the
// octave where it sounds; empty for any other interval.
QString soundingIntervalText(const klangora::ToneTable& tones, int lowerNote, int upperNote);

// A short name for the mark, unique in the diagram: "Tertsen F# over D".
QString markName(int column, int row);

// The bar under a column's third (row 1) or fifth (row 2): "Søjle under tertsen over C".
QString barName(int column, int row);

// What a readout number means, with the number as shown: "Frekvensen af D: 293,6 Hz".
QString readoutName(ReadoutMode mode, int tone, const QString& shownNumber);

// The key button of a tone: "Toneart D".
QString keyButtonName(int tone);

// The hidden slider that moves a tone: "Tonen D".
QString sliderName(int tone);

// The hint panel's tooltip: how to reach every tone, how to play, every key of the key table,
// and which MIDI inputs are connected (nothing about MIDI when none are).
QString hintText(const QStringList& midiInputs = {}, const QString& soundSystem = {});

QString fixedCText();

} // namespace descriptions
