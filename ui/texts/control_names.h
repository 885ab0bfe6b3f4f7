#pragma once

#include <QString>

// Object names of the window's controls of one tone number or column (1..13): the marks by
// column and row (0 root, 1 third, 2 fifth), the bars under them (1 third, 2 fifth), the slider
// of tone number 2..12, the key button, the readout and the note name. The layout gives them;
// tests, the accessibility layer and programs outside the window find the controls by them.
namespace controls {

inline QString markName(int column, int row) {
    return QString("knap%1%2").arg(column).arg(row);
}

inline QString barName(int column, int bar) {
    return QString("linie%1%2").arg(column).arg(bar);
}

inline QString sliderName(int tone) {
    return QString("sb%1").arg(tone);
}

inline QString keyName(int tone) {
    return QString("sp%1").arg(tone);
}

inline QString readoutName(int tone) {
    return QString("lb%1").arg(tone);
}

inline QString noteName(int tone) {
    return QString("na%1").arg(tone);
}

} // namespace controls
