#pragma once

// The caption right of the diagram that names the model's tuning: a temperament's name, a tuning
// file's description, or "Din Egen Stemning!" as soon as the learner moves a tone.
#include "ui/model/tuning_model.h"

#include <QFont>
#include <QObject>
#include <QString>

class QLabel;

class TemperamentCaption : public QObject {
    Q_OBJECT

public:
    // Where "Din Egen Stemning!" and every name without a place of its own stand.
    static constexpr int kOwnTuningLeft = 670;

    struct Widgets {
        QLabel* caption = nullptr; // lbStemning
    };
    TemperamentCaption(const Widgets& widgets, const TuningModel& model, QObject* parent);

private:
    void show(const TuningIdentity& identity);
    void setStemning(const QString& text, int left);
    // A built-in name too long for the room in a smaller size, on two lines if it must.
    void showWhole(const QString& name);
    // A file's description of any length: cut to fit, whole in tooltip and accessible name.
    void showCut(const QString& name);
    int room() const;
    void fit();

    QLabel* m_label;
    QFont m_font;
};
