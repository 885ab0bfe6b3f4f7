#pragma once

// What the exercises need of the window's tuning: to read it, to put their own into it for a
// while, and to hide or mark parts of the diagram. The learner's tuning is put back by whoever
// took it (ExercisePage), through the same setPositions.
#include "core/exercises/interval.h"
#include "core/tone_table.h"

#include <QString>

#include <vector>

class TuningModel;

class ExerciseTuning {
public:
    virtual ~ExerciseTuning() = default;

    virtual klangora::SliderPositions positions() const = 0;
    // Moves every tone whose position differs.
    virtual void setPositions(const klangora::SliderPositions& positions) = 0;

    // The learner's tuning is about to be changed by an exercise, and is given back.
    virtual void exerciseBegins() {}
    virtual void exerciseEnds() {}

    // Everything that tells the pitch of the tone (0..11) that moves, or how far an interval
    // that sounds it lies from pure, goes out of sight, and comes back.
    virtual void hideIntervalsWith(int /*toneIndex*/) {}
    virtual void uncoverInterval() {}

    // The major triads on these roots (tone index 0..11) are marked in the diagram until the
    // exercise ends.
    virtual void markTriads(const std::vector<int>& /*roots*/) {}

    // A short result for the window's message panel.
    virtual void showSummary(const QString& /*text*/) {}
};

// The tuning of the window's model, slider by slider.
class ModelExerciseTuning : public ExerciseTuning {
public:
    explicit ModelExerciseTuning(TuningModel& model) : m_model(model) {}

    klangora::SliderPositions positions() const override;
    void setPositions(const klangora::SliderPositions& positions) override;

private:
    TuningModel& m_model;
};
