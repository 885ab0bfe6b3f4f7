#pragma once

// The exercises' hold on the main window: its tuning model, the diagram's marks and bars and the
// readouts, found by their object names. While a "Stem rent" round runs, the interval's mark and
// bar (and the c' column's, which repeats c's) and its column's readout are out of sight and say
// nothing to a screen reader; the marked triads of "Hvilken stemning?" are outlined in red.
#include "ui/exercises/exercise_tuning.h"

#include <QColor>
#include <QMetaObject>
#include <QPointer>

#include <functional>
#include <vector>

class QWidget;
class Shape;

class WindowExerciseTuning : public ExerciseTuning {
public:
    // `captionText` reads the temperament's name the window shows, `showCaption` writes one back
    // after the learner's tuning has returned (whose moves made it "Din Egen Stemning!").
    WindowExerciseTuning(QWidget& window, TuningModel& model,
                         std::function<QString()> captionText = {},
                         std::function<void(const QString&)> showCaption = {});
    ~WindowExerciseTuning() override;

    klangora::SliderPositions positions() const override;
    void setPositions(const klangora::SliderPositions& positions) override;
    void exerciseBegins() override;
    void exerciseEnds() override;
    void hideInterval(klangora::IntervalKind kind, int lowerToneIndex) override;
    void uncoverInterval() override;
    void markTriads(const std::vector<int>& roots) override;

private:
    struct Hidden {
        QPointer<QWidget> widget;
        int column = 0;
        int row = 0; // a mark's row; -1 for a bar or a readout
    };
    void hide(QWidget* widget, int column, int row);
    void keepSilent();

    QWidget& m_window;
    TuningModel& m_model;
    ModelExerciseTuning m_tuning;
    std::function<QString()> m_captionText;
    std::function<void(const QString&)> m_showCaption;
    QString m_caption;
    std::vector<Hidden> m_hidden;
    QMetaObject::Connection m_silencer;
    std::vector<std::pair<QPointer<Shape>, QColor>> m_marked;
};
