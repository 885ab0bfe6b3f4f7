#pragma once

// What the window's tests share: the real TForm1 with a RecordingPlayer, its controls found by
// the object names the window gives them, and closers for the message boxes it opens.
#include "support/recording_player.h"
#include "ui/form1.h"
#include "ui/model/tuning_model.h"
#include "ui/selection/tone_selection.h"
#include "ui/sequence/sound_sequence.h"
#include "ui/texts/control_names.h"
#include "ui/tuning/temperament_caption.h"

#include <QLabel>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <optional>
#include <vector>

namespace klangora {
class LiveInstrument;
class MidiTrackWriter;
class PiecePlayer;
} // namespace klangora
class QRadioButton;
class QScrollBar;
class Shape;

// The window of one test, and the one place where the tests build it: on a player that keeps
// every image it is handed, or on the player (and live instrument) the test brings. A test takes
// it apart with `auto& [player, form] = window;`.
struct TestWindow {
    TestWindow();
    explicit TestWindow(SoundPlayer& other);
    TestWindow(SoundPlayer& other, klangora::LiveInstrument& instrument);
    RecordingPlayer player;
    TForm1 form;
};

// A fresh window for every test function of a class: its init() opens one, its cleanup() drops
// it, so that no test sees what the one before it did.
using WindowFixture = std::optional<TestWindow>;

template <typename T> T* child(const QWidget& parent, const QString& name) {
    T* found = parent.findChild<T*>(name);
    if (found == nullptr) {
        qFatal("no child named %s", qPrintable(name));
    }
    return found;
}

// The window's own object names of its controls, by column or tone number.
using controls::barName;
using controls::keyName;
using controls::markName;
using controls::noteName;
using controls::readoutName;
using controls::sliderName;

Shape* mark(const QWidget& form, int column, int row);
Shape* bar(const QWidget& form, int column, int bar);
QScrollBar* slider(const QWidget& form, int tone);
QLabel* readout(const QWidget& form, int tone);
QLabel* note(const QWidget& form, int tone);
QRadioButton* keyButton(const QWidget& form, int tone);

// The tuning sliders' positions, C# to H, as the window shows them, and a tuning's positions in
// the same form.
QList<int> sliderPositions(const QWidget& form);
QList<int> listOf(const klangora::SliderPositions& positions);

QColor textColour(const QWidget* widget);
QString labelText(const QWidget& form, const QString& name);

// The hint under the diagram while no tone is selected.
inline constexpr const char* kClickHint =
    "Klik på en tone og brug så piletasterne, hvis du vil flytte den.";

// The outlines of the selected mark and of every other mark.
inline constexpr int kSelectedPen = 5;
inline constexpr int kNormalPen = 3;

// How many marks wear the wide outline of the selection.
int widePens(const QWidget& form);
// The tone numbers whose note name or readout is written in red.
QList<int> redTones(const QWidget& form);

// The key buttons show no caption, so only their indicator takes a click.
void clickKey(const QWidget& form, int tone);
// A key press as the window system delivers it, to whatever has the focus.
void pressKey(TForm1& form, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Shows the window and makes it the active one, so that keyboard focus and keys behave as on a
// desktop.
bool activate(QWidget& form);
// The window as the user first meets it: active, and both start-up timers run, so that the
// diagram stands in the fifths arrangement where it stays and its lines are drawn again.
bool settle(QWidget& form);

// Every text a window (the main window or a tool window) shows or tells a screen reader, as
// "object.property: text": its widgets' and actions' texts, tooltips, status tips, what's-this,
// titles and accessible names and descriptions, and its list boxes' and tables' items.
QStringList shownTexts(const QWidget& window);

// The notes a piece's player strikes in so many seconds of audio at 48 kHz, the test playing the
// audio side.
std::vector<int> struckNotes(klangora::PiecePlayer& player, double seconds);

// The images a sound button's sequence hands its player: started with the button's step on a
// window of its own, whose player returns at once, then so many of Timer3's steps.
std::vector<std::vector<std::uint8_t>> sequenceImages(void (TForm1::*start)(), int steps);

// A piece of one track at 480 ticks a quarter, written as a MIDI file at path; the path back.
QString writePiece(const QString& path, const klangora::MidiTrackWriter& track);

// What the last message box said before it was closed.
struct SeenBox {
    bool opened = false;
    QString title;
    QString text;
    int buttons = 0;
};

// Closes the next modal message box with its OK button as soon as it shows, after noting what
// it said in seen, which must outlive the box.
void closeNextBox(SeenBox& seen);

// Closes every modal box that shows while it lives, and counts them: for the paths that must
// never ask the learner anything.
class BoxCounter {
public:
    BoxCounter();
    int count() const { return count_; }

private:
    QTimer watch_;
    int count_ = 0;
};
