// Start-up, the temperament presets and the slider change chain through which every retuning
// passes.
#include "ui/form1.h"

#include "ui/tone_slider.h"

#include <QLabel>
#include <QTimer>

TForm1::TForm1(SoundPlayer& player, QWidget* parent) : QWidget(parent), m_player(player) {
    buildLayout();
    buildTuningFileActions();
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
    tones.sampleRate = 11025;
    // The control tables must exist before the first preset moves a slider: the change chain
    // reaches the marks and readouts through them.
    BTnavngivning();
    pytClick();
    BTplacering();
    scrolTILcent();
    selectedPenWidth = 5;
    normalPenWidth = 3;
    nodetykkelse();
    opdaterLabel();
    centTILnode();
    tonemark();
    Timer1Timer();
    tegnRenStreg();
}

void TForm1::scrolTILcent() {
    klangora::SliderPositions positions{};
    for (int k = klangora::kFirstSlider; k <= klangora::kLastSlider; ++k) {
        positions[k - klangora::kFirstSlider] = toneSliders[k]->value();
    }
    klangora::scrolTILcent(tones, positions);
}

void TForm1::restenCent() {
    klangora::restenCent(tones);
}

void TForm1::IndlaesFrek() {
    klangora::IndlaesFrek(tones);
}

void TForm1::sbChange(int sliderNumber) {
    klangora::applySliderPosition(tones, sliderNumber, toneSliders[sliderNumber]->value());
    restenCent();
    centTILnode();
    opdaterLabel();
    setStemning("Din Egen Stemning!", stemningLabelLeft);
}

void TForm1::setStemning(const QString& text, int left) {
    lbStemning->setText(text);
    // A file's long name may have left its whole text in the tooltip and the accessible name.
    lbStemning->setToolTip({});
    if (!lbStemning->accessibleName().isEmpty()) {
        lbStemning->setAccessibleName({});
    }
    lbStemning->adjustSize();
    lbStemning->move(left, lbStemning->y());
}

void TForm1::nameTemperament(klangora::PresetId id) {
    const klangora::PresetInfo& info = klangora::presetInfo(id);
    setStemning(QString::fromUtf8(info.stemningText), info.stemningLeft);
}

// Each slider that moves runs the whole change chain, so the diagram follows tone by tone.
void TForm1::setSliders(const klangora::SliderPositions& positions) {
    for (int k = klangora::kFirstSlider; k <= klangora::kLastSlider; ++k) {
        toneSliders[k]->setValue(positions[k - klangora::kFirstSlider]);
    }
}

void TForm1::applyRatioPreset(klangora::PresetId id) {
    tonemark();
    setSliders(klangora::presetPositions(id));
    nameTemperament(id);
    Timer1Timer();
}

void TForm1::pytClick() {
    tonemark();
    setSliders(klangora::presetPositions(klangora::PresetId::pyt));
    // The Pythagorean preset redraws before it names itself.
    Timer1Timer();
    nameTemperament(klangora::PresetId::pyt);
}

void TForm1::renClick() {
    applyRatioPreset(klangora::PresetId::ren);
}
void TForm1::praetClick() {
    applyRatioPreset(klangora::PresetId::praet);
}
void TForm1::bachClick() {
    applyRatioPreset(klangora::PresetId::bach);
}
void TForm1::werck1Click() {
    applyRatioPreset(klangora::PresetId::werck1);
}
void TForm1::werck3Click() {
    applyRatioPreset(klangora::PresetId::werck3);
}

void TForm1::ligeClick() {
    using klangora::PresetId;
    tonemark();
    // Equal temperament names itself after every slider, so a slider that moves overwrites the
    // caption with "Din Egen Stemning!" only for a moment.
    for (int k = klangora::kFirstSlider; k <= klangora::kLastSlider; ++k) {
        toneSliders[k]->setValue(0);
        nameTemperament(PresetId::lige);
    }
    Timer1Timer();
}
