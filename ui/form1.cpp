// The window: its controls are built as designed, each part takes its own, and the window wires
// the parts' signals to each other and passes the named steps and handlers on.
#include "ui/form1.h"

#include "core/music/piece_programs.h"
#include "core/presets.h"
#include "sound/instrument/live_instrument.h"
#include "ui/classroom/classroom.h"
#include "ui/diagram/arrangement.h"
#include "ui/diagram/triad_diagram.h"
#include "ui/exercises/exercises_opener.h"
#include "ui/exercises/window_exercise_tuning.h"
#include "ui/export/handout_actions.h"
#include "ui/files/tuning_files.h"
#include "ui/instrument/live_playing.h"
#include "ui/instrument/midi_out.h"
#include "ui/instrument/sound_choice.h"
#include "ui/instrument/sound_system_news.h"
#include "ui/layout/window_layout.h"
#include "ui/lessons/lesson_panel.h"
#include "ui/lessons/lessons_menu.h"
#include "ui/messages/message_panel.h"
#include "ui/model/concealed_tone.h"
#include "ui/model/tuning_model.h"
#include "ui/music/examples_menu.h"
#include "ui/music/music_session.h"
#include "ui/music/music_triads.h"
#include "ui/music/music_window.h"
#include "ui/panel/readout_panel.h"
#include "ui/progress/learner_progress.h"
#include "ui/selection/key_marking.h"
#include "ui/selection/tone_selection.h"
#include "ui/sequence/sound_sequence.h"
#include "ui/session/session.h"
#include "ui/texts/key_table.h"
#include "ui/texts/language_follower.h"
#include "ui/tuning/temperament_caption.h"
#include "ui/tuning/temperament_menu.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/shape.h"
#include "ui/widgets/tone_slider.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

#include <algorithm>

namespace {

std::array<QWidget*, 13> slidersOf(const WindowWidgets& widgets) {
    std::array<QWidget*, 13> sliders{};
    std::copy(widgets.selection.sliders.begin(), widgets.selection.sliders.end(), sliders.begin());
    return sliders;
}

} // namespace

// The parts in the order they are made: each may use those made before it. The session holds
// what they show and play.
struct TForm1::Parts {
    Parts(TForm1& window, const WindowWidgets& widgets, Session& session)
        : session(session), model(session.model()), concealed(&window),
          messages(widgets.messages, &window, &session.messages()),
          diagram(widgets.diagram, model, &window),
          arrangement(widgets.arrangement, session, &window), panel(widgets.panel, model, &window),
          selection(widgets.selection, model, &window), keys(widgets.keys, model, &window),
          caption(widgets.caption, model, &window), library(window, model),
          files(window, model, [this] { return sequence().isPlaying(); }),
          live(window, session, {panel, selection, widgets.octave}), music(window, session),
          examples(&window), lessons(&window), lessonPanel(session, &window),
          progress(window, session, lessonPanel),
          exercises(window,
                    std::make_unique<WindowExerciseTuning>(
                        WindowExerciseTuning::Controls{widgets.diagram.marks, widgets.diagram.bars,
                                                       slidersOf(widgets), &concealed},
                        model, &messages),
                    session.exerciseVoices()),
          classroom(window), handouts(window, {model, [this] { return this->session.inFifths(); },
                                               [this] { return openTriadTable(music.window()); }}) {
    }

    SoundSequence& sequence() { return session.sequence(); }

    Session& session;
    TuningModel& model;
    ConcealedTone concealed;
    MessagePanel messages;
    TriadDiagram diagram;
    Arrangement arrangement;
    ReadoutPanel panel;
    ToneSelection selection;
    KeyMarking keys;
    TemperamentCaption caption;
    TemperamentMenu library;
    TuningFiles files;
    LivePlaying live;
    MusicSession music;
    ExamplesMenu examples;
    LessonsMenu lessons;
    LessonPanel lessonPanel;
    LearnerProgress progress; // every result kept, and "Fremskridt"
    // Last, so that it goes first: its window gives the learner's tuning back as it closes.
    ExercisesOpener exercises;
    // Zoom, full screen, help and the language; it holds the window on its full-screen stage.
    Classroom classroom;
    HandoutActions handouts; // "Udskriv …" and "Eksporter …"
};

TForm1::TForm1(SoundPlayer& player, QWidget* parent)
    : QWidget(parent), m_silentInstrument(std::make_unique<klangora::LiveInstrument>()),
      m_ownSession(std::make_unique<Session>(player, *m_silentInstrument, this)) {
    build(*m_ownSession);
}

TForm1::TForm1(SoundPlayer& player, klangora::LiveInstrument& instrument, QWidget* parent)
    : QWidget(parent), m_ownSession(std::make_unique<Session>(player, instrument, this)) {
    build(*m_ownSession);
}

TForm1::TForm1(Session& session, QWidget* parent) : QWidget(parent) {
    build(session);
}

void TForm1::build(Session& session) {
    const WindowWidgets widgets = buildWindowLayout(*this);
    m_parts = std::make_unique<Parts>(*this, widgets, session);
    wireParts();
    wireControls(widgets);
    bindContextMenuKeys();
    followLanguage(*this, *this, [widgets] { nameControls(widgets); });
    FormCreate();
}

// The window system turns the Menu key into a context-menu request for the widget with the
// focus; Shift+F10, the other key for it, is turned into the same request here.
void TForm1::bindContextMenuKeys() {
    for (const QKeyCombination key : keys::keysOf(keys::Command::tuningMenu)) {
        if (key == QKeyCombination(Qt::Key_Menu)) {
            continue;
        }
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        connect(shortcut, &QShortcut::activated, this, [this] {
            QWindow* window = windowHandle();
            if (window != nullptr) {
                const QPoint cursor = window->mapFromGlobal(QCursor::pos());
                QWindowSystemInterface::handleContextMenuEvent(window, false, cursor,
                                                               QCursor::pos(), Qt::NoModifier);
            }
        });
    }
}

TForm1::~TForm1() = default;

// The parts of one layer know nothing of each other; what one does that another shows travels
// by these connections.
void TForm1::wireParts() {
    Parts& p = *m_parts;
    // A tone's readout, note name and key button stand under its marks, in either arrangement.
    connect(&p.diagram, &TriadDiagram::toneMoved, &p.panel, &ReadoutPanel::centreTone);
    connect(&p.diagram, &TriadDiagram::toneMoved, &p.keys, &KeyMarking::centreTone);
    connect(&p.session, &Session::arranged, &p.diagram, &TriadDiagram::arrange);
    connect(&p.session, &Session::arranged, &p.selection, &ToneSelection::setArrangement);
    connect(&p.session, &Session::markSelected, &p.selection, &ToneSelection::knapMouseDown);
    connect(&p.session, &Session::exerciseStarted, &p.exercises,
            [&p](Session::Exercise exercise, std::optional<int> rounds) {
                p.exercises.openAt(static_cast<int>(exercise), rounds);
            });
    connect(&p.exercises, &ExercisesOpener::exerciseFinished, &p.session, &Session::finishExercise);
    // What sounds, whoever plays it, lights the note names.
    connect(&p.session.sounding(), &SoundingPresenter::namesLit, &p.panel,
            &ReadoutPanel::lightTones);
    // The triad needs a marked key: a message box says so while the button is pressed.
    connect(&p.session, &Session::refused, this,
            [](const QString& reason) { showMessage(reason); });
    // The selection shows in the diagram's outlines and the panel's red.
    connect(&p.selection, &ToneSelection::marked, &p.diagram,
            [&p](int column, int row, int) { p.diagram.showSelected(column, row); });
    connect(&p.selection, &ToneSelection::marked, &p.panel,
            [&p](int, int, int tone) { p.panel.highlightTone(tone); });
    connect(&p.selection, &ToneSelection::unmarked, &p.diagram, &TriadDiagram::showNoSelection);
    connect(&p.selection, &ToneSelection::unmarked, &p.panel, &ReadoutPanel::clearHighlights);
    // Another readout mode takes the selection off the numbers and puts it back over them.
    connect(&p.panel, &ReadoutPanel::modeChosen, &p.selection, [&p] {
        p.selection.nodetykkelse();
        p.selection.focus();
    });
    // Marking the key, and every whole tuning, ends a tone selection.
    connect(&p.keys, &KeyMarking::marking, &p.selection, &ToneSelection::clear);
    connect(&p.model, &TuningModel::tuningSet, &p.keys, &KeyMarking::tonemark);
    p.files.setMusicOpener([&p](const QString& path) { return p.music.open(path); });
    p.files.setLessonOpener([&p](const QString& path) { return p.lessonPanel.open(path); });
    connect(&p.exercises, &ExercisesOpener::progressAsked, &p.progress, &LearnerProgress::open);
    connect(&p.lessons, &LessonsMenu::lessonChosen, this,
            [&p](const QString& path) { p.lessonPanel.open(path); });
    // The music window's triad table, and the examples of the context menu opened in it.
    addTriadTable(p.music.window(),
                  {p.model, p.music.player(), [&p] { return p.session.inFifths(); }, &p.concealed});
    p.panel.followConcealment(p.concealed);
    connect(&p.examples, &ExamplesMenu::exampleChosen, this,
            [&p](const QString& path) { p.music.open(path); });
    connect(&p.live, &LivePlaying::midiInputsChanged, &p.selection,
            &ToneSelection::describeMidiInputs);
    // What the parts build from words and numbers, told anew in another language.
    followLanguage(*this, *this, [&p] {
        p.diagram.describeMarksAnew();
        p.panel.nameReadoutsAnew();
        p.selection.describeAgain();
        p.sequence().retellMessage();
    });
}

void TForm1::wireControls(const WindowWidgets& widgets) {
    for (int tone = 1; tone <= 13; ++tone) {
        for (int row = 0; row <= 2; ++row) {
            connect(widgets.diagram.marks[tone][row], &Shape::pressed, this,
                    [this, tone, row](Qt::MouseButton) { knapMouseDown(tone, row); });
        }
    }
    connect(widgets.diagram.marks[1][2], &Shape::contextMenuRequested, this,
            [this] { m_parts->selection.knap12ContextPopup(); });
    const auto button = [this](QPushButton* button, void (TForm1::*handler)()) {
        connect(button, &QPushButton::clicked, this, handler);
    };
    button(widgets.arrangement.button, &TForm1::kromkvintClick);
    button(widgets.soundButtons[0], &TForm1::BitBtn1Click);
    button(widgets.soundButtons[1], &TForm1::BitBtn2Click);
    button(widgets.soundButtons[2], &TForm1::BitBtn3Click);
    using klangora::PresetId;
    const auto preset = [&widgets](PresetId id) {
        return widgets.presetButtons[static_cast<std::size_t>(id)];
    };
    button(preset(PresetId::pyt), &TForm1::pytClick);
    button(preset(PresetId::ren), &TForm1::renClick);
    button(preset(PresetId::praet), &TForm1::praetClick);
    button(preset(PresetId::bach), &TForm1::bachClick);
    button(preset(PresetId::werck1), &TForm1::werck1Click);
    button(preset(PresetId::werck3), &TForm1::werck3Click);
    button(preset(PresetId::lige), &TForm1::ligeClick);
}

// The start-up sequence: the Pythagorean tuning, everything in its chromatic column under it,
// the numbers, the key marked, and the reference lines with their delayed redraw.
void TForm1::FormCreate() {
    pytClick();
    m_parts->diagram.placeColumns();
    nodetykkelse();
    m_parts->panel.opdaterLabel();
    m_parts->diagram.centTILnode();
    tonemark();
    Timer1Timer();
    tegnRenStreg();
}

void TForm1::nodetykkelse() {
    m_parts->selection.nodetykkelse();
}
void TForm1::tegnRenStreg() {
    m_parts->diagram.tegnRenStreg();
}
void TForm1::focus() {
    m_parts->selection.focus();
}
void TForm1::tonemark() {
    m_parts->keys.tonemark();
}

void TForm1::applyPreset(klangora::PresetId id) {
    m_parts->session.choosePreset(id);
}
void TForm1::pytClick() {
    applyPreset(klangora::PresetId::pyt);
}
void TForm1::renClick() {
    applyPreset(klangora::PresetId::ren);
}
void TForm1::praetClick() {
    applyPreset(klangora::PresetId::praet);
}
void TForm1::bachClick() {
    applyPreset(klangora::PresetId::bach);
}
void TForm1::werck1Click() {
    applyPreset(klangora::PresetId::werck1);
}
void TForm1::werck3Click() {
    applyPreset(klangora::PresetId::werck3);
}
void TForm1::ligeClick() {
    applyPreset(klangora::PresetId::lige);
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
    m_parts->sequence().Timer3Timer();
}
void TForm1::BitBtn1Click() {
    m_parts->session.playChords(Session::ChordSequence::triad);
}
void TForm1::BitBtn2Click() {
    m_parts->session.playChords(Session::ChordSequence::chorale);
}
void TForm1::BitBtn3Click() {
    m_parts->session.playChords(Session::ChordSequence::jazzChorale);
}
void TForm1::knapMouseDown(int column, int row) {
    m_parts->session.selectMark(column, row);
}

ExamplesMenu& TForm1::examples() {
    return m_parts->examples;
}

bool TForm1::openTuning(const QString& path) {
    return m_parts->files.openTuning(path);
}
bool TForm1::openLesson(const QString& path) {
    return m_parts->lessonPanel.open(path);
}
LessonPanel& TForm1::lessonPanel() {
    return m_parts->lessonPanel;
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
const SoundSequence& TForm1::sequence() const {
    return m_parts->session.sequence();
}
Session& TForm1::session() {
    return m_parts->session;
}
LivePlaying& TForm1::live() {
    return m_parts->live;
}
Classroom& TForm1::classroom() {
    return m_parts->classroom;
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
    m_parts->examples.addToMenu(menu);
    m_parts->lessons.addToMenu(menu);
    if (m_soundChoice != nullptr) {
        m_soundChoice->addToMenu(menu);
    }
    if (m_midiOut != nullptr) {
        m_midiOut->addToMenu(menu);
    }
    m_parts->classroom.addToMenu(menu);
    m_parts->handouts.addToMenu(menu);
    menu.addSeparator();
    menu.addAction(tr("Stop al lyd"), &m_parts->live, &LivePlaying::stopAllSound);
    m_parts->exercises.addToMenu(menu);
    m_parts->progress.addToMenu(menu);
    menu.exec(event->globalPos());
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    m_parts->files.dragEnterEvent(event);
}
void TForm1::dropEvent(QDropEvent* event) {
    m_parts->files.dropEvent(event);
}

void TForm1::describeSoundSystem(const SoundSystemNews& news) {
    connect(&news, &SoundSystemNews::described, &m_parts->selection,
            &ToneSelection::describeSoundSystem);
}

void TForm1::setSoundChoice(SoundChoice* choice,
                            std::optional<klangora::InstrumentSound> forThisRun) {
    using klangora::InstrumentSound;
    m_soundChoice = choice;
    choice->setTuning(m_parts->model.tuning());
    connect(&m_parts->model, &TuningModel::tuningChanged, choice, &SoundChoice::setTuning);
    Settings& settings = m_parts->classroom.settings();
    if (const auto volume = settings.volumePercent()) {
        choice->setVolumePercent(*volume);
    }
    choice->follow(m_parts->session);
    if (forThisRun) {
        m_parts->session.chooseSound(*forThisRun);
    } else if (const auto name = settings.soundName()) {
        m_parts->session.chooseSound(*name);
    }
    connect(choice, &SoundChoice::chosenByUser, this, [&settings](InstrumentSound sound) {
        const auto name = klangora::instrumentSoundInfo(sound).commandName;
        if (!name.empty()) { // a piece's own instruments last as long as the piece
            settings.setSoundName(QString::fromUtf8(name.data(), qsizetype(name.size())));
        }
    });
    connect(choice, &SoundChoice::volumeSetByUser, this,
            [&settings](int percent) { settings.setVolumePercent(percent); });
    MusicWindow& window = m_parts->music.window();
    window.addSoundRow(choice->createSoundRow(&window));
    window.setSoundToSave([choice] { return choice->soundToRender(); });
    connect(choice, &SoundChoice::loadingNoteChanged, this, [this](const QString& note) {
        m_parts->messages.tell(MessagePanel::Priority::instrumentLoading, note);
    });
    connect(&window, &MusicWindow::pieceOpened, choice, [choice, &window] {
        choice->setPiecePrograms(klangora::piecePrograms(*window.piece()));
    });
}

MusicSession& TForm1::music() {
    return m_parts->music;
}
