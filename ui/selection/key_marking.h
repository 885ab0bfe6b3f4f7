#pragma once

// The key the sound buttons play in: thirteen key buttons under the diagram. The checked one is
// the model's key; the readout panel writes the key's note name larger.
#include <QObject>

#include <array>

class QLabel;
class QRadioButton;
class TuningModel;

class KeyMarking : public QObject {
    Q_OBJECT

public:
    // The key buttons' top, just below the diagram; nothing above the readout panel may grow
    // over them.
    static constexpr int kKeyButtonTop = 300;

    struct Widgets {
        std::array<QRadioButton*, 14> keys{}; // sp1..sp13 by tone number
        // The note names the key buttons stand under; only their widths are read.
        std::array<const QLabel*, 14> noteNames{};
    };
    KeyMarking(const Widgets& widgets, TuningModel& model, QObject* parent);

    // The checked key button becomes the model's key; a tone selection does not survive it.
    void tonemark();
    // A tone's key button under its note name, whose centre stands at x (window pixels).
    void centreTone(int tone, int centreX);

signals:
    // Before the key is marked anew: the tone selection goes.
    void marking();

private:
    // The last checked key button wins; 0 when none is checked.
    int checkedKey() const;

    Widgets m_widgets;
    TuningModel& m_model;
};
