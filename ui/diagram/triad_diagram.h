#pragma once

// The triad diagram: thirteen columns of root, third and fifth marks over their bars, and the
// dotted reference lines where a pure third or fifth would stand.
#include "ui/model/tuning_model.h"

#include <QObject>

#include <array>
#include <utility>

class QPainter;
class QTimer;
class QWidget;
class Shape;

class TriadDiagram : public QObject {
    Q_OBJECT

public:
    TriadDiagram(QWidget& window, const TuningModel& model);

    Shape* mark(int column, int row) const { return m_marks[column][row]; }

    // Every mark over its column in the chromatic arrangement, the bars under them.
    void placeColumns();
    // A tone's three marks over a screen column.
    void placeMarks(int tone, int column);
    // H's fifth bar has a place of its own in each arrangement.
    void placeHFifthBar(bool fifths);

    // Heights of the third and fifth marks from their sizes in cents.
    void centTILnode();
    void tegnRenStreg();
    void paintReferenceLines(QPainter& painter) const;
    // Redraws the reference lines now and, by the timer, once more a little later.
    void Timer1Timer();

private:
    void followTuning(ToneMask changed);
    // The texts that say what every mark is, brought up to date after a retuning; only those
    // whose text changed are touched, so only they announce a change.
    void describeMarks();

    const TuningModel& m_model;
    QTimer* m_redrawTimer;
    std::array<std::array<Shape*, 3>, 14> m_marks{}; // by column 1..13 and row
    std::array<std::array<Shape*, 3>, 14> m_bars{};  // rows 1 (third bar) and 2 (fifth bar)
    // The cents of the two tones each mark's text was last written from (a root's twice): a
    // text depends on nothing else, so a mark whose tones did not move keeps its text unread.
    std::array<std::array<std::pair<double, double>, 3>, 14> m_describedCents{};
};
