// Whole tunings onto the sliders: every retuning, a preset's too, goes through a slider into the
// model, one tone at a time.
#include "ui/tuning/tuning_controls.h"

#include "ui/diagram/triad_diagram.h"
#include "ui/model/tuning_model.h"
#include "ui/selection/key_marking.h"
#include "ui/texts/control_names.h"
#include "ui/tuning/temperament_caption.h"
#include "ui/widgets/tone_slider.h"

#include <QWidget>

TuningControls::TuningControls(QWidget& window, TuningModel& model, KeyMarking& keys,
                               TemperamentCaption& caption, TriadDiagram& diagram)
    : QObject(&window), m_keys(keys), m_caption(caption), m_diagram(diagram) {
    for (int k = klangora::kFirstSlider; k <= klangora::kLastSlider; ++k) {
        m_sliders[k] = window.findChild<ToneSlider*>(controls::sliderName(k));
        m_sliders[k]->setValue(model.position(k));
        connect(m_sliders[k], &QScrollBar::valueChanged, &model,
                [&model, k](int position) { model.setPosition(k, position); });
    }
}

void TuningControls::setSliders(const klangora::SliderPositions& positions) {
    for (int k = klangora::kFirstSlider; k <= klangora::kLastSlider; ++k) {
        m_sliders[k]->setValue(positions[k - klangora::kFirstSlider]);
    }
}

void TuningControls::applyPreset(klangora::PresetId id) {
    using klangora::PresetId;
    if (id == PresetId::lige) {
        applyEqualTemperament();
        return;
    }
    m_keys.tonemark();
    setSliders(klangora::presetPositions(id));
    // The Pythagorean preset redraws before it names itself; the others name themselves first.
    if (id == PresetId::pyt) {
        m_diagram.Timer1Timer();
        m_caption.nameTemperament(id);
    } else {
        m_caption.nameTemperament(id);
        m_diagram.Timer1Timer();
    }
}

// Equal temperament names itself after every slider, so a slider that moves overwrites the
// caption with "Din Egen Stemning!" only for a moment.
void TuningControls::applyEqualTemperament() {
    m_keys.tonemark();
    for (int k = klangora::kFirstSlider; k <= klangora::kLastSlider; ++k) {
        m_sliders[k]->setValue(0);
        m_caption.nameTemperament(klangora::PresetId::lige);
    }
    m_diagram.Timer1Timer();
}

void TuningControls::applyNamed(const klangora::SliderPositions& positions, const QString& name) {
    m_keys.tonemark();
    setSliders(positions);
    m_caption.showTuningName(name);
    m_diagram.Timer1Timer();
}
