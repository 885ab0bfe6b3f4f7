#pragma once

// The tuning and the notes on an instrument outside, through Klangora's MIDI output: the whole
// tuning at every new connection, after every change of tuning and every tone moved, no more
// often than the rate limit lets it (the last state always goes out); the notes of the live
// instrument as they are played (an exercise's tones among them), the MIDI input's as they
// arrive, and a playing piece's channels as the audio thread plays them. The "MIDI ud" submenu
// chooses how the tuning is sent, and "Lokal lyd" whether Klangora sounds itself.
#include "core/mts/tuning_rate_limit.h"
#include "core/mts/tuning_send_mode.h"
#include "core/tuning.h"
#include "sound/midi/live_event_midi.h"
#include "sound/midi/midi_output.h"

#include <QObject>

#include <array>

namespace klangora {
class LiveInstrument;
class MidiInput;
class OutputVolume;
class PieceMidiQueue;
} // namespace klangora
class QAction;
class QMenu;
class QTimer;
class QWidget;
class TuningModel;

class MidiOut : public QObject {
    Q_OBJECT

public:
    struct Parts {
        const TuningModel& model;
        klangora::LiveInstrument& instrument;
        klangora::MidiInput& input;
        klangora::OutputVolume& volume;            // "Lokal lyd" silences it
        klangora::PieceMidiQueue* piece = nullptr; // a piece's channel events, if one plays
    };
    MidiOut(QWidget& window, const Parts& parts, klangora::mts::SendMode mode);
    ~MidiOut() override;
    MidiOut(const MidiOut&) = delete;
    MidiOut& operator=(const MidiOut&) = delete;

    void setMode(klangora::mts::SendMode mode);
    klangora::mts::SendMode mode() const { return m_mode; }
    void setLocalSound(bool on);
    bool localSound() const { return m_localSound; }

    // The "MIDI ud" submenu.
    void addToMenu(QMenu& menu);

private:
    void offerTuning();
    void sendDueTuning();
    void send(const std::vector<std::uint8_t>& bytes);
    void lookForListeners();
    void sendPiece();

    Parts m_parts;
    klangora::MidiOutput m_output;
    klangora::mts::SendMode m_mode;
    klangora::mts::TuningRateLimit m_limit;
    klangora::LiveEventMidi m_notes;
    QTimer* m_dueTimer;
    QTimer* m_listenTimer;
    QTimer* m_pieceTimer;
    bool m_localSound = true;
};
