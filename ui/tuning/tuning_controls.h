#pragma once

// The ways a whole tuning arrives: the seven temperament buttons, an opened file, a temperament
// from the library. Each moves the eleven hidden sliders one after the other, so the diagram
// follows tone by tone, and then names the tuning in the caption.
#include "core/presets.h"
#include "core/tone_table.h"

#include <QObject>

#include <array>

class KeyMarking;
class QString;
class QWidget;
class TemperamentCaption;
class ToneSlider;
class TriadDiagram;
class TuningModel;

class TuningControls : public QObject {
    Q_OBJECT

public:
    TuningControls(QWidget& window, TuningModel& model, KeyMarking& keys,
                   TemperamentCaption& caption, TriadDiagram& diagram);

    void applyPreset(klangora::PresetId id);
    // A tuning with a name of its own (a file's description, a temperament's caption).
    void applyNamed(const klangora::SliderPositions& positions, const QString& name);

private:
    void setSliders(const klangora::SliderPositions& positions);
    void applyEqualTemperament();

    KeyMarking& m_keys;
    TemperamentCaption& m_caption;
    TriadDiagram& m_diagram;
    std::array<ToneSlider*, 13> m_sliders{}; // slider number 2..12
};
