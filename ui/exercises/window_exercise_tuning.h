#pragma once

// The exercises' hold on the main window: its tuning model, the diagram's marks and bars, as the
// layout built them, and the tone the window's views conceal. While a "Stem rent" round runs,
// the marks and bars of every third and fifth that sounds the moving tone (with the c' column's,
// which repeat c's) are out of sight, and they and the tone's own root mark say nothing to a
// screen reader, nor does the tone's slider; the readouts and the music window's triads that would
// tell the tone's pitch follow the concealed tone; the message panel speaks of the exercise instead
// of the beats of what sounds. The marked triads of "Hvilken stemning?" are outlined in red.
// Whatever name the learner's tuning had comes back with it.
#include "ui/exercises/exercise_tuning.h"
#include "ui/model/tuning_identity.h"

#include <QColor>
#include <QMetaObject>
#include <QPointer>

#include <array>
#include <memory>
#include <vector>

class ConcealedTone;
class MessagePanel;
class QWidget;
class Shape;

class WindowExerciseTuning : public ExerciseTuning {
public:
    // The main window's controls an exercise hides or marks, by column (tone number) 1..13.
    struct Controls {
        std::array<std::array<Shape*, 3>, 14> marks{}; // rows 0 root, 1 third, 2 fifth
        std::array<std::array<Shape*, 3>, 14> bars{};  // rows 1 and 2
        // The hidden sliders by slider number 2..12, whose value a screen reader would read.
        std::array<QWidget*, 13> sliders{};
        ConcealedTone* concealed = nullptr; // followed by the readouts and the triad table
    };
    // Without a message panel, the exercise says nothing there.
    WindowExerciseTuning(const Controls& controls, TuningModel& model,
                         MessagePanel* messages = nullptr);
    ~WindowExerciseTuning() override;

    klangora::SliderPositions positions() const override;
    void setPositions(const klangora::SliderPositions& positions) override;
    void exerciseBegins() override;
    void exerciseEnds() override;
    void hideIntervalsWith(int toneIndex) override;
    void uncoverInterval() override;
    void markTriads(const std::vector<int>& roots) override;
    void showSummary(const QString& text) override;

    // How long a summary stays in the message panel.
    static constexpr int kSummaryMs = 15000;

private:
    struct Hidden {
        QPointer<QWidget> widget;
        int column = 0;
        int row = 0; // a mark's row; -1 for a bar
    };
    void hide(QWidget* widget, int column, int row);
    void keepSilent();

    Controls m_controls;
    TuningModel& m_model;
    ModelExerciseTuning m_tuning;
    MessagePanel* m_messages;
    // How often the exercises have asked the message panel; shared with the timers that release it.
    std::shared_ptr<int> m_said = std::make_shared<int>(0);
    TuningIdentity m_learnersIdentity;
    std::vector<Hidden> m_hidden;
    QMetaObject::Connection m_silencer;
    std::vector<std::pair<QPointer<Shape>, QColor>> m_marked;
};
