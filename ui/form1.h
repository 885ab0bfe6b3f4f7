#pragma once

// The one window of the program. It builds the controls, creates the parts that show the session
// (the message panel, the diagram, the readout panel, selection, key marking, the caption, the
// arrangement's button, tuning files, the keys, the music window, the exercises) and binds them
// to the session and to each other.
//
// The named steps and handlers below are the window's public face: each runs the step of the
// part that now does the work, synchronously, as callers have always expected.
#include "sound/fluid/instrument_sound.h"

#include <QWidget>

#include <memory>
#include <optional>

namespace klangora {
class LiveInstrument;
enum class PresetId;
} // namespace klangora
class Classroom;
class KeyMarking;
class LessonPanel;
class ExamplesMenu;
class LivePlaying;
class MusicSession;
struct WindowWidgets;
class MidiOut;
class SoundSystemNews;
class SoundChoice;
class Session;
class SoundPlayer;
class SoundSequence;
class ToneSelection;
class TuningModel;

class TForm1 : public QWidget {
    Q_OBJECT

public:
    // Without an instrument of its own the window plays live tones on a silent one. With a
    // player (and instrument) the window makes a session of its own.
    explicit TForm1(SoundPlayer& player, QWidget* parent = nullptr);
    TForm1(SoundPlayer& player, klangora::LiveInstrument& instrument, QWidget* parent = nullptr);
    // The window of a session that outlives it.
    explicit TForm1(Session& session, QWidget* parent = nullptr);
    ~TForm1() override;

    // Named steps.
    void nodetykkelse();
    // Nothing left to do: the reference lines are part of the window's own painting.
    void tegnRenStreg();
    void focus();
    void tonemark();

    // Handlers.
    void pytClick();
    void renClick();
    void praetClick();
    void bachClick();
    void werck1Click();
    void werck3Click();
    void ligeClick();
    void kromkvintClick();
    // Runs tegnRenStreg and flips Timer1's enabled state: a tick stops it, a direct call while
    // it is stopped starts it again, so one more run follows 200 ms later.
    void Timer1Timer();
    void Timer2Timer();
    void Timer3Timer();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    // knap10MouseDown .. knap132MouseDown: column (tone number) 1..13, row 0 root, 1 third, 2
    // fifth.
    void knapMouseDown(int column, int row);

    // A Scala scale file (.scl) onto the sliders, or the current tuning into one. On failure
    // they say why in a message box, change nothing else and return false.
    bool openTuning(const QString& path);
    bool saveTuning(const QString& path);

    // A lesson (.lektion) in the lesson panel; a broken one says why and runs nothing.
    bool openLesson(const QString& path);
    LessonPanel& lessonPanel();

    // The "Eksempler" submenu of the context menu, whose choice the music window opens.
    ExamplesMenu& examples();

    // The parts whose state the window shows.
    const TuningModel& model() const;
    // Music files, the music window, P and B.
    MusicSession& music();
    const ToneSelection& selection() const;
    const SoundSequence& sequence() const;
    // What the window shows and plays: the model, the sound, the music, the exercises' voices.
    Session& session();
    LivePlaying& live();
    // Zoom, full screen, help and the remembered settings.
    Classroom& classroom();
    // The choice of sound ("Klang") in the context menu; the window does not own it.
    // Also puts the choice and the volume in the music window, offers a loaded piece's own
    // instruments, and remembers the user's choice and volume (restored here, at the start,
    // unless this run names its own sound).
    void setSoundChoice(SoundChoice* choice,
                        std::optional<klangora::InstrumentSound> forThisRun = std::nullopt);
    // The "MIDI ud" submenu in the context menu; the window does not own it.
    void setMidiOut(MidiOut* midiOut) { m_midiOut = midiOut; }
    // The sound system's line in the hint.
    void describeSoundSystem(const SoundSystemNews& news);

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    struct Parts;
    void build(Session& session);
    void wireParts();
    void wireControls(const WindowWidgets& widgets);
    void bindContextMenuKeys();
    void FormCreate();
    void applyPreset(klangora::PresetId id);

    // In the order they go last to first: the parts before the session, the session before the
    // instrument it plays.
    std::unique_ptr<klangora::LiveInstrument> m_silentInstrument;
    std::unique_ptr<Session> m_ownSession;
    std::unique_ptr<Parts> m_parts;
    SoundChoice* m_soundChoice = nullptr;
    MidiOut* m_midiOut = nullptr;
};
