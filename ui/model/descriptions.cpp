// What each part of the window says it is, in words built from the musical facts, in the
// interface's language (the templates and words are looked up in the translation each time).
#include "ui/model/descriptions.h"

#include "core/readings.h"
#include "ui/model/musical_facts.h"
#include "ui/texts/key_table.h"
#include "ui/texts/number_format.h"

#include <QCoreApplication>
#include <QKeySequence>

namespace descriptions {

namespace {

QString text(const char* danish) {
    return QCoreApplication::translate("klangora", danish);
}

// A note's name in the interface's language: English says B where Danish says H.
QString noteText(int tone) {
    return text(music::noteName(tone));
}

// The upper c stands in the diagram as a column of its own; "høje C" tells it from the lower.
QString columnName(int tone) {
    return tone == 13 ? text(QT_TRANSLATE_NOOP("klangora", "høje C")) : noteText(tone);
}

QString beatsText(long double beatsPerSecond) {
    return formatTenths(static_cast<double>(beatsPerSecond));
}

struct Interval {
    const char* name;
    int row;       // the diagram row of its marks
    int semitones; // above the root, counted without folding into the octave
    long double pureCents;
    long double (*beatsPerSecond)(long double rootHz, long double upperHz);
};

constexpr Interval kThird = {QT_TRANSLATE_NOOP("klangora", "Stor terts"), 1,
                             music::kMajorThirdSemitones, klangora::kPureThirdCents,
                             klangora::thirdBeatsPerSecond};
constexpr Interval kFifth = {QT_TRANSLATE_NOOP("klangora", "Kvint"), 2, music::kFifthSemitones,
                             klangora::kPureFifthCents, klangora::fifthBeatsPerSecond};

// octave counts octaves above the diagram's own, whose beats the marks' texts give; each
// octave up doubles every partial and so the beats.
QString intervalText(const klangora::ToneTable& tones, int column, const Interval& interval,
                     int octave = 0) {
    const auto root = static_cast<std::size_t>(column - 1);
    const auto upper = root + static_cast<std::size_t>(interval.semitones);
    // The interval in double, as the tone table derives its thirds and fifths, so that the
    // deviation rounds exactly as the readout panel's does.
    const double intervalCents = tones.toneCents[upper] - tones.toneCents[root];
    const long double deviation = klangora::deviationReadout(intervalCents, interval.pureCents);
    const long double octaveCents = 1200.0L * octave;
    const long double beats =
        interval.beatsPerSecond(klangora::displayFrequencyHz(tones.toneCents[root] + octaveCents),
                                klangora::displayFrequencyHz(tones.toneCents[upper] + octaveCents));
    return text(QT_TRANSLATE_NOOP("klangora",
                                  "%1 %2–%3: afviger %4 cent fra ren, svæver %5 gange i sekundet"))
        .arg(text(interval.name), noteText(column), noteText(music::markTone(column, interval.row)),
             formatReadout(deviation), beatsText(beats));
}

QString rootText(const klangora::ToneTable& tones, int column) {
    const long double hz = klangora::frequencyReadout(tones.toneCents[column - 1]);
    return text(QT_TRANSLATE_NOOP("klangora", "Tonen %1: %2 Hz"))
        .arg(noteText(column), formatReadout(hz));
}

// How to reach every tone without a mouse.
QString keyboardPathText() {
    return text(QT_TRANSLATE_NOOP(
        "klangora",
        "Uden mus: Ctrl+piletasterne vælger en tone i diagrammet, kolonne for kolonne og række "
        "for række (de hvide c'er springes over). Derefter flytter pil-op og pil-ned tonen, med "
        "Shift en hel cent, og Home og End sætter den yderst."));
}

// How to play the live instrument, and the exercise of tuning an interval pure by ear.
QString playingText() {
    return text(QT_TRANSLATE_NOOP(
        "klangora",
        "Spil selv: tasterne A W S E D F T G Y H U J K spiller C til høje C, Z og X skifter "
        "oktav, og et tryk på et nodenavn spiller tonen. Hold mellemrum nede, mens en tone er "
        "valgt: en terts eller kvint klinger med sin grundtone, en grundtone som durtreklang. "
        "Flyt så tonen med piletasterne og hør svævningerne blive langsommere og forsvinde, "
        "når intervallet bliver rent. Esc stopper al lyd, ligesom \"Stop al lyd\" i "
        "genvejsmenuen."));
}

} // namespace

QString fixedCText() {
    return text(QT_TRANSLATE_NOOP("klangora", "Dette er tonen c. Den ligger fast!"));
}

QString markDescription(const klangora::ToneTable& tones, int column, int row) {
    if (music::isFixedC(music::markTone(column, row))) {
        return fixedCText();
    }
    switch (row) {
    case 0:
        return rootText(tones, column);
    case 1:
        return intervalText(tones, column, kThird);
    default:
        return intervalText(tones, column, kFifth);
    }
}

QString soundingIntervalText(const klangora::ToneTable& tones, int lowerNote, int upperNote) {
    const int semitones = upperNote - lowerNote;
    if (semitones != kThird.semitones && semitones != kFifth.semitones) {
        return {};
    }
    const int fromFixedC = lowerNote - music::kFixedCNote;
    const int octave = fromFixedC >= 0 ? fromFixedC / 12 : -((11 - fromFixedC) / 12);
    const int column = fromFixedC - 12 * octave + 1;
    return intervalText(tones, column, semitones == kThird.semitones ? kThird : kFifth, octave);
}

QString markName(int column, int row) {
    const QString root = columnName(column);
    const QString upper = noteText(music::markTone(column, row));
    switch (row) {
    case 0:
        return text(QT_TRANSLATE_NOOP("klangora", "Grundtonen %1")).arg(root);
    case 1:
        return text(QT_TRANSLATE_NOOP("klangora", "Tertsen %1 over %2")).arg(upper, root);
    default:
        return text(QT_TRANSLATE_NOOP("klangora", "Kvinten %1 over %2")).arg(upper, root);
    }
}

QString barName(int column, int row) {
    return (row == 1 ? text(QT_TRANSLATE_NOOP("klangora", "Søjle under tertsen over %1"))
                     : text(QT_TRANSLATE_NOOP("klangora", "Søjle under kvinten over %1")))
        .arg(columnName(column));
}

QString readoutName(ReadoutMode mode, int tone, const QString& shownNumber) {
    const QString name = columnName(tone);
    switch (mode) {
    case ReadoutMode::frequency:
        return text(QT_TRANSLATE_NOOP("klangora", "Frekvensen af %1: %2 Hz"))
            .arg(name, shownNumber);
    case ReadoutMode::cents:
        return text(QT_TRANSLATE_NOOP("klangora", "Centværdien af %1: %2 cent"))
            .arg(name, shownNumber);
    case ReadoutMode::thirdDeviation:
        return text(QT_TRANSLATE_NOOP("klangora", "Tertsen over %1: afviger %2 cent fra ren"))
            .arg(name, shownNumber);
    default:
        return text(QT_TRANSLATE_NOOP("klangora", "Kvinten over %1: afviger %2 cent fra ren"))
            .arg(name, shownNumber);
    }
}

QString keyButtonName(int tone) {
    return text(QT_TRANSLATE_NOOP("klangora", "Toneart %1")).arg(columnName(tone));
}

QString sliderName(int tone) {
    return text(QT_TRANSLATE_NOOP("klangora", "Tonen %1")).arg(columnName(tone));
}

QString hintText(const QStringList& midiInputs, const QString& soundSystem) {
    QString hint = keyboardPathText() + "\n\n" + playingText() + "\n\n" +
                   QKeySequence(keys::keyOf(keys::Command::openExercises))
                       .toString(QKeySequence::PortableText) +
                   descriptions::text(QT_TRANSLATE_NOOP(
                       "klangora", " åbner øvelserne: hør, om et interval er rent, stem det "
                                   "rent, og genkend stemninger.")) +
                   "\n\n" + descriptions::text(QT_TRANSLATE_NOOP("klangora", "Taster:")) + "\n" +
                   keys::keyListText();
    if (!midiInputs.isEmpty()) {
        hint += "\n\n" + descriptions::text(QT_TRANSLATE_NOOP("klangora", "MIDI-indgange: %1."))
                             .arg(midiInputs.join(", "));
    }
    if (!soundSystem.isEmpty()) {
        hint += "\n\n" + soundSystem;
    }
    return hint;
}

} // namespace descriptions
