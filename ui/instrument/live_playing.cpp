// Routing notes to the live instrument and showing what sounds.
#include "ui/instrument/live_playing.h"

#include "sound/instrument/live_instrument.h"
#include "ui/instrument/computer_keyboard.h"
#include "ui/panel/readout_panel.h"
#include "ui/selection/tone_selection.h"
#include "ui/sequence/sound_sequence.h"
#include "ui/texts/descriptions.h"
#include "ui/texts/palette.h"

#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <bitset>

namespace {

// A sounding tone's name stands on this light gold, which leaves the red of the selection
// readable.
const QColor kLitBackground(255, 226, 120);

// The message panel keeps its bottom edge as the sequences place it, and grows upwards for
// several intervals, this many lines at most.
constexpr int kPanelBottom = SoundSequence::kPanelTop + SoundSequence::kPanelHeight;
constexpr int kMaxPanelLines = 4;

// The octave the keys play, from its c to the next, in Helmholtz's letters (the fixed c is
// c'), and in words for a screen reader: the fixed c lies in the "enstregede" octave.
QString octaveText(int octave) {
    static const char* const kRanges[] = {"C–c", "c–c'", "c'–c''", "c''–c'''", "c'''–c''''"};
    return QString::fromUtf8("Oktav: %1").arg(QString::fromUtf8(kRanges[octave + 2]));
}

QString octaveName(int octave) {
    static const char* const kNames[] = {"store", "lille", "enstregede", "tostregede",
                                         "trestregede"};
    return QString::fromUtf8("Tasterne spiller den %1 oktav").arg(kNames[octave + 2]);
}

// The note name a sounding note lights: c' when it is the c above the keys' c, else its pitch
// class.
int lightedTone(int note, int octave) {
    const int fromKeysC = note - (descriptions::kFixedCNote + 12 * octave);
    if (fromKeysC == 12) {
        return 13;
    }
    return ((note % 12) + 12) % 12 + 1;
}

void setLit(QLabel* label, bool lit) {
    label->setAutoFillBackground(lit);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, lit ? kLitBackground : QColor(Qt::transparent));
    label->setPalette(palette);
}

} // namespace

LivePlaying::LivePlaying(QWidget& window, klangora::LiveInstrument& instrument, const Parts& parts)
    : QObject(&window), m_instrument(instrument), m_parts(parts),
      m_keyboard(new ComputerKeyboard(window, parts.selection)),
      m_duHoer(window.findChild<QLabel*>("DuHoer")),
      m_octaveLabel(window.findChild<QLabel*>("lbOktav")), m_showTimer(new QTimer(this)) {
    m_showTimer->setSingleShot(true);
    connect(m_showTimer, &QTimer::timeout, this, &LivePlaying::showSounding);
    connect(m_keyboard, &ComputerKeyboard::notePressed, this, [this](int note) { press(note); });
    connect(m_keyboard, &ComputerKeyboard::noteReleased, this, &LivePlaying::release);
    connect(m_keyboard, &ComputerKeyboard::octaveChanged, this, &LivePlaying::showOctave);
    connect(&parts.model, &TuningModel::tonesChanged, this, &LivePlaying::followTuning);
    connect(&parts.sequence, &SoundSequence::ended, this, &LivePlaying::scheduleShow);
    for (int tone = 1; tone <= 13; ++tone) {
        parts.panel.noteName(tone)->installEventFilter(this);
    }
    window.installEventFilter(this);
    followTuning();
    showOctave(0);
}

void LivePlaying::followTuning() {
    std::array<double, 12> cents{};
    for (int i = 0; i < 12; ++i) {
        cents[static_cast<std::size_t>(i)] =
            m_parts.model.tones().toneCents[static_cast<std::size_t>(i)];
    }
    m_instrument.setTuning(cents);
    if (m_instrument.heldNotes().any()) {
        scheduleShow();
    }
}

void LivePlaying::press(int note, float velocity) {
    m_instrument.noteOn(note, velocity);
    scheduleShow();
}

void LivePlaying::release(int note) {
    m_instrument.noteOff(note);
    scheduleShow();
}

void LivePlaying::showOctave(int octave) {
    m_octaveLabel->setText(octaveText(octave));
    m_octaveLabel->setAccessibleName(octaveName(octave));
    m_octaveLabel->setToolTip(octaveName(octave) + QString::fromUtf8("; Z og X skifter oktav."));
    m_octaveLabel->adjustSize();
}

bool LivePlaying::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == parent()) {
        // A pressed note name lets go when the window goes out of reach, as keys do.
        if ((type == QEvent::WindowDeactivate || type == QEvent::WindowBlocked ||
             type == QEvent::Hide) &&
            m_mouseNote >= 0) {
            release(m_mouseNote);
            m_mouseNote = -1;
        }
        return false;
    }
    if (type == QEvent::MouseButtonPress && m_mouseNote < 0 &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (int tone = 1; tone <= 13; ++tone) {
            if (watched == m_parts.panel.noteName(tone)) {
                m_mouseNote = descriptions::kFixedCNote + 12 * m_keyboard->octave() + tone - 1;
                press(m_mouseNote);
                return true;
            }
        }
    }
    if (type == QEvent::MouseButtonRelease && m_mouseNote >= 0 &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        release(m_mouseNote);
        m_mouseNote = -1;
        return true;
    }
    return false;
}

void LivePlaying::scheduleShow() {
    // A burst of notes (a chord, a MIDI flood) is shown once, at the next turn of the loop.
    if (!m_showTimer->isActive()) {
        m_showTimer->start(0);
    }
}

QString LivePlaying::intervalTexts() const {
    const std::bitset<128> held = m_instrument.heldNotes();
    QStringList lines;
    for (int lower = 0; lower < 128; ++lower) {
        if (!held.test(static_cast<std::size_t>(lower))) {
            continue;
        }
        for (int upper : {lower + 4, lower + 7}) {
            if (upper < 128 && held.test(static_cast<std::size_t>(upper))) {
                lines << descriptions::soundingIntervalText(m_parts.model.tones(), lower, upper);
            }
        }
    }
    if (lines.size() > kMaxPanelLines) {
        lines = lines.mid(0, kMaxPanelLines - 1) << QString::fromUtf8("…");
    }
    return lines.join('\n');
}

void LivePlaying::showSounding() {
    const std::bitset<128> held = m_instrument.heldNotes();
    std::array<bool, 14> lit{};
    for (int note = 0; note < 128; ++note) {
        if (held.test(static_cast<std::size_t>(note))) {
            lit[static_cast<std::size_t>(lightedTone(note, m_keyboard->octave()))] = true;
        }
    }
    for (int tone = 1; tone <= 13; ++tone) {
        if (lit[tone] != m_lit[tone]) {
            setLit(m_parts.panel.noteName(tone), lit[tone]);
        }
    }
    m_lit = lit;

    // A running sequence has the message panel to itself; the intervals return after it.
    if (m_parts.sequence.isRunning()) {
        m_panelIsMine = false;
        return;
    }
    const QString text = intervalTexts();
    if (text.isEmpty()) {
        if (m_panelIsMine) {
            m_duHoer->hide();
            m_duHoer->setGeometry(m_duHoer->x(), SoundSequence::kPanelTop, m_duHoer->width(),
                                  SoundSequence::kPanelHeight);
            m_panelIsMine = false;
        }
        return;
    }
    const int lines = static_cast<int>(text.count('\n')) + 1;
    const int height =
        std::max(SoundSequence::kPanelHeight, lines * m_duHoer->fontMetrics().lineSpacing() + 8);
    m_duHoer->setGeometry(m_duHoer->x(), kPanelBottom - height, m_duHoer->width(), height);
    setTextColour(m_duHoer, windowTextColour());
    m_duHoer->setText(text);
    m_duHoer->show();
    m_panelIsMine = true;
}
