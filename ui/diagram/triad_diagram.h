#pragma once

// The triad diagram: thirteen columns of root, third and fifth marks over their bars, and the
// dotted reference lines where a pure third or fifth would stand.
#include "ui/model/tuning_model.h"

#include <QObject>

#include <array>
#include <utility>

class QPainter;
class QTimer;
class Shape;

class TriadDiagram : public QObject {
    Q_OBJECT

public:
    struct Widgets {
        std::array<std::array<Shape*, 3>, 14> marks{}; // by column 1..13 and row
        std::array<std::array<Shape*, 3>, 14> bars{};  // rows 1 (third bar) and 2 (fifth bar)
        QTimer* redrawTimer = nullptr;                 // Timer1
    };
    // Shows the model's tuning from the start.
    TriadDiagram(const Widgets& widgets, const TuningModel& model, QObject* parent);

    // Every tone's marks in the column of the arrangement, the bars under them; in the fifths
    // arrangement only the tones whose column changes move.
    void arrange(bool fifths);
    // Every mark in its chromatic column, also those already there.
    void placeColumns();

    // The selected mark in a wide outline, or none.
    void showSelected(int column, int row);
    void showNoSelection();

    // The marks' tooltips and screen-reader texts written anew, in the interface's language.
    void describeMarksAnew();

    // Heights of the third and fifth marks from their sizes in cents.
    void centTILnode();
    // Nothing to do: see the definition.
    void tegnRenStreg();
    void paintReferenceLines(QPainter& painter) const;
    // Runs tegnRenStreg and flips Timer1: a tick stops it, a direct call while it is stopped
    // starts it, so a retuning is followed by one more run 200 ms later.
    void Timer1Timer();

signals:
    // A tone's marks now stand over this x (window pixels): its readout, note name and key
    // button follow it.
    void toneMoved(int tone, int centreX);

private:
    void followTuning(ToneMask changed);
    void placeTone(int tone, int column);
    // The texts that say what every mark is, brought up to date after a retuning; only those
    // whose text changed are touched, so only they announce a change.
    void describeMarks();
    void forgetDescriptions();

    const TuningModel& m_model;
    QTimer* m_redrawTimer;
    std::array<std::array<Shape*, 3>, 14> m_marks;
    std::array<std::array<Shape*, 3>, 14> m_bars;
    // The cents of the two tones each mark's text was last written from (a root's twice): a
    // text depends on nothing else, so a mark whose tones did not move keeps its text unread.
    std::array<std::array<std::pair<double, double>, 3>, 14> m_describedCents{};
};
