// The window: its controls are built as designed, then each part takes over its own, and the
// window only passes the named steps and handlers on.
#include "ui/form1.h"

#include "sound/instrument/live_instrument.h"
#include "ui/diagram/arrangement.h"
#include "ui/diagram/triad_diagram.h"
#include "ui/files/tuning_files.h"
#include "ui/instrument/live_playing.h"
#include "ui/layout/window_layout.h"
#include "ui/model/tuning_model.h"
#include "ui/panel/readout_panel.h"
#include "ui/selection/key_marking.h"
#include "ui/selection/tone_selection.h"
#include "ui/sequence/sound_sequence.h"
#include "ui/texts/control_names.h"
#include "ui/tuning/temperament_caption.h"
#include "ui/tuning/temperament_menu.h"
#include "ui/tuning/tuning_controls.h"
#include "ui/widgets/shape.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QPushButton>

// The parts in the order they are made: each may use those made before it.
struct TForm1::Parts {
    Parts(TForm1& window, SoundPlayer& player, klangora::LiveInstrument& instrument)
        : model(&window), diagram(window, model), panel(window, model),
          selection(window, diagram, panel), keys(window, selection, panel), caption(window, model),
          controls(window, model, keys, caption, diagram), library(window, controls),
          arrangement(window, {diagram, panel, keys, selection}),
          sequence(window, player, {model, keys, panel, caption}),
          files(window, {model, controls, caption, [this] { return sequence.isPlaying(); }}),
          live(window, instrument, {model, panel, selection, sequence}) {}

    TuningModel model;
    TriadDiagram diagram;
    ReadoutPanel panel;
    ToneSelection selection;
    KeyMarking keys;
    TemperamentCaption caption;
    TuningControls controls;
    TemperamentMenu library;
    Arrangement arrangement;
    SoundSequence sequence;
    TuningFiles files;
    LivePlaying live;
};

TForm1::TForm1(SoundPlayer& player, QWidget* parent)
    : QWidget(parent), m_silentInstrument(std::make_unique<klangora::LiveInstrument>()) {
    build(player, *m_silentInstrument);
}

TForm1::TForm1(SoundPlayer& player, klangora::LiveInstrument& instrument, QWidget* parent)
    : QWidget(parent) {
    build(player, instrument);
}

void TForm1::build(SoundPlayer& player, klangora::LiveInstrument& instrument) {
    buildWindowLayout(*this);
    m_parts = std::make_unique<Parts>(*this, player, instrument);
    wireControls();
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::wireControls() {
    for (int tone = 1; tone <= 13; ++tone) {
        for (int row = 0; row <= 2; ++row) {
            connect(m_parts->diagram.mark(tone, row), &Shape::pressed, this,
                    [this, tone, row](Qt::MouseButton) { knapMouseDown(tone, row); });
        }
    }
    connect(m_parts->diagram.mark(1, 2), &Shape::contextMenuRequested, this,
            [this] { m_parts->selection.knap12ContextPopup(); });
    m_parts->selection.setArrangementQuery([this] { return m_parts->arrangement.inFifths(); });
    // Whichever readout button becomes checked, the panel already shows its numbers; the
    // selection is put back over them.
    connect(&m_parts->panel, &ReadoutPanel::modeChosen, this, [this] {
        nodetykkelse();
        opdaterLabel();
        focus();
    });
    const auto button = [this](const char* name, void (TForm1::*handler)()) {
        connect(findChild<QPushButton*>(name), &QPushButton::clicked, this, handler);
    };
    button("kromkvint", &TForm1::kromkvintClick);
    button("BitBtn1", &TForm1::BitBtn1Click);
    button("BitBtn2", &TForm1::BitBtn2Click);
    button("BitBtn3", &TForm1::BitBtn3Click);
    button("pyt", &TForm1::pytClick);
    button("ren", &TForm1::renClick);
    button("praet", &TForm1::praetClick);
    button("bach", &TForm1::bachClick);
    button("werck1", &TForm1::werck1Click);
    button("werck3", &TForm1::werck3Click);
    button("lige", &TForm1::ligeClick);
}

void TForm1::FormCreate() {
    BTnavngivning();
    pytClick();
    BTplacering();
    scrolTILcent();
    nodetykkelse();
    opdaterLabel();
    centTILnode();
    tonemark();
    Timer1Timer();
    tegnRenStreg();
}

void TForm1::nodetykkelse() {
    m_parts->selection.nodetykkelse();
}
void TForm1::opdaterLabel() {
    m_parts->panel.opdaterLabel();
}
void TForm1::tegnRenStreg() {
    m_parts->diagram.tegnRenStreg();
}
void TForm1::centTILnode() {
    m_parts->diagram.centTILnode();
}
void TForm1::scrolTILcent() {
    // Nothing left to do: the model turns every slider position into cents as it arrives.
}
void TForm1::restenCent() {
    // Nothing left to do: the model derives the upper octave with every retuning.
}
void TForm1::BTnavngivning() {
    // Nothing left to do: each part finds its controls by name when it is made.
}
void TForm1::BTplacering() {
    m_parts->arrangement.BTplacering();
}
void TForm1::IndlaesFrek() {
    m_parts->model.IndlaesFrek();
}
void TForm1::focus() {
    m_parts->selection.focus();
}
void TForm1::tonemark() {
    m_parts->keys.tonemark();
}

void TForm1::pytClick() {
    m_parts->controls.applyPreset(klangora::PresetId::pyt);
}
void TForm1::renClick() {
    m_parts->controls.applyPreset(klangora::PresetId::ren);
}
void TForm1::praetClick() {
    m_parts->controls.applyPreset(klangora::PresetId::praet);
}
void TForm1::bachClick() {
    m_parts->controls.applyPreset(klangora::PresetId::bach);
}
void TForm1::werck1Click() {
    m_parts->controls.applyPreset(klangora::PresetId::werck1);
}
void TForm1::werck3Click() {
    m_parts->controls.applyPreset(klangora::PresetId::werck3);
}
void TForm1::ligeClick() {
    m_parts->controls.applyPreset(klangora::PresetId::lige);
}
void TForm1::kromkvintClick() {
    m_parts->arrangement.kromkvintClick();
}
void TForm1::Timer1Timer() {
    m_parts->diagram.Timer1Timer();
}
void TForm1::Timer2Timer() {
    m_parts->arrangement.Timer2Timer();
}
void TForm1::Timer3Timer() {
    m_parts->sequence.Timer3Timer();
}
void TForm1::BitBtn1Click() {
    m_parts->sequence.BitBtn1Click();
}
void TForm1::BitBtn2Click() {
    m_parts->sequence.BitBtn2Click();
}
void TForm1::BitBtn3Click() {
    m_parts->sequence.BitBtn3Click();
}
void TForm1::knapMouseDown(int column, int row) {
    m_parts->selection.knapMouseDown(column, row);
}

bool TForm1::openTuning(const QString& path) {
    return m_parts->files.openTuning(path);
}
bool TForm1::saveTuning(const QString& path) {
    return m_parts->files.saveTuning(path);
}

const TuningModel& TForm1::model() const {
    return m_parts->model;
}
const ToneSelection& TForm1::selection() const {
    return m_parts->selection;
}
const KeyMarking& TForm1::keys() const {
    return m_parts->keys;
}
const SoundSequence& TForm1::sequence() const {
    return m_parts->sequence;
}
LivePlaying& TForm1::live() {
    return m_parts->live;
}

void TForm1::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    m_parts->diagram.paintReferenceLines(painter);
}

void TForm1::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.setObjectName("tuningMenu");
    m_parts->files.addToMenu(menu);
    m_parts->library.addToMenu(menu);
    menu.exec(event->globalPos());
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    m_parts->files.dragEnterEvent(event);
}
void TForm1::dropEvent(QDropEvent* event) {
    m_parts->files.dropEvent(event);
}
