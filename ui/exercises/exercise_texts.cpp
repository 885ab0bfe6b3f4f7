#include "ui/exercises/exercise_texts.h"

#include <QCoreApplication>

#include <array>

namespace {
constexpr std::array<const char*, 12> kNames = {"C",  "C#", "D",  "Eb", "E",  "F",
                                                "F#", "G",  "G#", "A",  "Bb", "H"};
}

QString exerciseNoteName(int toneIndex) {
    const QString name = QString::fromUtf8(kNames[static_cast<std::size_t>(toneIndex % 12)]);
    return toneIndex >= 12 ? name + "'" : name;
}

QString intervalName(klangora::IntervalKind kind, int lowerToneIndex) {
    const int upper = lowerToneIndex + klangora::intervalSemitones(kind);
    const QString tones = exerciseNoteName(lowerToneIndex) + "–" + exerciseNoteName(upper);
    return (kind == klangora::IntervalKind::third
                ? QCoreApplication::translate("ExerciseTexts", "den store terts ")
                : QCoreApplication::translate("ExerciseTexts", "kvinten ")) +
           tones;
}
