#include "ui/instrument/midi_out.h"

#include "sound/fluid/output_volume.h"
#include "sound/instrument/live_instrument.h"
#include "sound/midi/midi_input.h"
#include "sound/midi/piece_midi_queue.h"
#include "ui/model/tuning_model.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <chrono>

namespace {

using klangora::mts::SendMode;

// How often the ports are asked whether a receiver was connected: soon enough that an
// instrument connected hears the tuning before anyone plays it.
constexpr auto kListenInterval = std::chrono::milliseconds(200);
// How often a piece's notes are taken from the audio thread: short against the time a note
// lasts, so that the instrument outside keeps the piece's rhythm.
constexpr auto kPieceInterval = std::chrono::milliseconds(4);

struct ModeEntry {
    SendMode mode;
    const char* text;
    const char* objectName;
};

constexpr std::array<ModeEntry, 4> kModes{{
    {SendMode::scale2Byte, QT_TRANSLATE_NOOP("klangora", "MTS skala (2 byte)"), "midiOutScale2"},
    {SendMode::scale1Byte, QT_TRANSLATE_NOOP("klangora", "MTS skala (1 byte)"), "midiOutScale1"},
    {SendMode::everyKey, QT_TRANSLATE_NOOP("klangora", "MTS hver tangent"), "midiOutKeys"},
    {SendMode::off, QT_TRANSLATE_NOOP("klangora", "Fra"), "midiOutOff"},
}};

} // namespace

MidiOut::MidiOut(QWidget& window, const Parts& parts, SendMode mode)
    : QObject(&window), m_parts(parts), m_output(parts.input.jack(), parts.input.alsa()),
      m_mode(mode), m_dueTimer(new QTimer(this)), m_listenTimer(new QTimer(this)),
      m_pieceTimer(new QTimer(this)) {
    m_dueTimer->setSingleShot(true);
    connect(m_dueTimer, &QTimer::timeout, this, &MidiOut::sendDueTuning);
    m_notes.setTuning(parts.model.tuning());
    connect(&parts.model, &TuningModel::tuningChanged, this,
            [this](const klangora::Tuning& tuning) {
                m_notes.setTuning(tuning);
                offerTuning();
            });
    parts.instrument.setEventTap([this](const klangora::LiveEvent& event) {
        send(m_notes.translate(event));
        if (m_notes.takeRetuned()) {
            offerTuning(); // an exercise's retuned key back to the tuning
        }
    });
    parts.input.setThru([this](const klangora::MidiMessage& message) {
        const std::size_t length = message.kind() == 0xC0 || message.kind() == 0xD0 ? 2 : 3;
        const std::vector<std::uint8_t> bytes{message.status, message.data1, message.data2};
        send({bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length)});
    });
    m_listenTimer->setInterval(kListenInterval);
    connect(m_listenTimer, &QTimer::timeout, this, &MidiOut::lookForListeners);
    m_listenTimer->start();
    if (parts.piece != nullptr) {
        parts.piece->setEnabled(true);
        m_pieceTimer->setTimerType(Qt::PreciseTimer);
        m_pieceTimer->setInterval(kPieceInterval);
        connect(m_pieceTimer, &QTimer::timeout, this, &MidiOut::sendPiece);
        m_pieceTimer->start();
    }
}

// The instrument, the input and the piece's queue outlive this; they are told no more of it.
MidiOut::~MidiOut() {
    m_parts.instrument.setEventTap({});
    m_parts.input.setThru({});
    if (m_parts.piece != nullptr) {
        m_parts.piece->setEnabled(false);
    }
}

// Everything waiting, in one go: what the audio thread queued since the last time.
void MidiOut::sendPiece() {
    std::vector<std::uint8_t> bytes;
    while (const auto message = m_parts.piece->pop()) {
        bytes.insert(bytes.end(), message->bytes.begin(), message->bytes.begin() + message->size);
    }
    send(bytes);
}

void MidiOut::setMode(SendMode mode) {
    if (mode != m_mode) {
        m_mode = mode;
        offerTuning();
    }
}

void MidiOut::setLocalSound(bool on) {
    m_localSound = on;
    m_parts.volume.setMuted(!on);
}

void MidiOut::send(const std::vector<std::uint8_t>& bytes) {
    if (m_mode != SendMode::off && !bytes.empty()) {
        m_output.send(bytes);
    }
}

void MidiOut::lookForListeners() {
    if (m_output.takeNewListener()) {
        offerTuning();
    }
}

void MidiOut::offerTuning() {
    if (m_mode == SendMode::off) {
        return;
    }
    m_limit.offer(klangora::mts::tuningState(m_mode, m_parts.model.tuning()).size());
    sendDueTuning();
}

// The state sent is the tuning as it is when its time comes, so a drag of a slider sends its
// latest position.
void MidiOut::sendDueTuning() {
    using Clock = klangora::mts::TuningRateLimit::Clock;
    if (m_limit.takeDue(Clock::now())) {
        send(klangora::mts::tuningState(m_mode, m_parts.model.tuning()));
        return;
    }
    if (const auto due = m_limit.dueAt(); due && !m_dueTimer->isActive()) {
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*due - Clock::now());
        m_dueTimer->start(std::max(wait, std::chrono::milliseconds(0)));
    }
}

void MidiOut::addToMenu(QMenu& menu) {
    QMenu* submenu = menu.addMenu(QCoreApplication::translate("klangora", "MIDI ud"));
    submenu->setObjectName("midiOutMenu");
    auto* group = new QActionGroup(submenu);
    for (const ModeEntry& entry : kModes) {
        QAction* action = submenu->addAction(QCoreApplication::translate("klangora", entry.text));
        action->setObjectName(entry.objectName);
        action->setCheckable(true);
        action->setChecked(entry.mode == m_mode);
        action->setActionGroup(group);
        connect(action, &QAction::triggered, this, [this, mode = entry.mode] { setMode(mode); });
    }
    submenu->addSeparator();
    QAction* local = submenu->addAction(QCoreApplication::translate("klangora", "Lokal lyd"));
    local->setObjectName("localSoundAction");
    local->setCheckable(true);
    local->setChecked(m_localSound);
    connect(local, &QAction::toggled, this, &MidiOut::setLocalSound);
}
