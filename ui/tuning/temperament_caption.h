#pragma once

// The caption right of the diagram that names the tuning: a temperament's name, a tuning file's
// description, or "Din Egen Stemning!" as soon as the learner moves a tone.
#include "core/presets.h"
#include "ui/model/tuning_model.h"

#include <QObject>
#include <QString>

class QLabel;
class QWidget;

class TemperamentCaption : public QObject {
    Q_OBJECT

public:
    // Where "Din Egen Stemning!" and every name without a place of its own stand.
    static constexpr int kOwnTuningLeft = 670;

    TemperamentCaption(QWidget& window, const TuningModel& model);

    void nameTemperament(klangora::PresetId id);
    // A name of any length: cut to fit right of the diagram, whole in tooltip and accessible name.
    void showTuningName(const QString& name);
    // The caption as the tuning's name: in full, also when it is shown cut.
    QString text() const;

private:
    void setStemning(const QString& text, int left);

    QWidget& m_window;
    QLabel* m_label;
};
