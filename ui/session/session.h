#pragma once

// The program without its window: the tuning model, the arrangement, the sound (the live
// instrument, the sound buttons' sequences, a piece, the exercises' voices) and what sounds,
// shown in words. It takes typed commands and tells by signals what changed; the window's parts
// show what it says, and lessons, MIDI out, the command line and tests drive it directly.
#include "core/exercises/exercise_outcome.h"
#include "core/music/tuning_toggle.h"
#include "core/tuning.h"
#include "sound/fluid/instrument_sound.h"
#include "sound/instrument/voice_source.h"
#include "ui/messages/message_board.h"
#include "ui/model/tuning_model.h"
#include "ui/session/sounding_presenter.h"

#include <QObject>
#include <QString>

#include <memory>
#include <optional>

namespace klangora {
class LiveInstrument;
class PiecePlayer;
class PieceScheduler;
enum class PresetId;
} // namespace klangora
class ExerciseVoices;
class PieceTransport;
class SoundPlayer;
class SoundSequence;

class Session : public QObject {
    Q_OBJECT

public:
    // The three sound buttons: the pure triad beside the tempered one, and the two chorales.
    enum class ChordSequence { triad, chorale, jazzChorale };
    // The three ear exercises.
    using Exercise = klangora::ExerciseKind;

    Session(SoundPlayer& chords, klangora::LiveInstrument& instrument, QObject* parent = nullptr);
    ~Session() override;

    // What the session holds, for the parts that show it.
    TuningModel& model() { return m_model; }
    const TuningModel& model() const { return m_model; }
    const klangora::Tuning& tuning() const { return m_model.tuning(); }
    MessageBoard& messages() { return m_messages; }
    SoundSequence& sequence() { return *m_sequence; }
    const SoundSequence& sequence() const { return *m_sequence; }
    klangora::LiveInstrument& instrument() { return m_instrument; }
    PieceTransport& piece() { return *m_piece; }
    klangora::PiecePlayer& piecePlayer();
    klangora::PieceScheduler& pieceScheduler() { return *m_scheduler; }
    SoundingPresenter& sounding() { return *m_sounding; }
    ExerciseVoices& exerciseVoices() { return *m_exerciseVoices; }
    bool inFifths() const { return m_fifths; }
    // The tuning B switches to; none before the first whole-tuning change.
    std::optional<klangora::Tuning> otherTuning() const { return m_toggle.next(); }

    // Tunings.
    void choosePreset(klangora::PresetId id);
    // A tuning named as on the command line: a temperament's name or its button's id, a library
    // id or a .scl file. A name that names nothing changes nothing and says why.
    std::optional<QString> chooseTuning(const QString& name);
    void setTuning(const klangora::Tuning& tuning);
    // Slider 2..12 to a position by hand.
    void moveTone(int sliderNumber, int position);
    void setKey(int toneNumber);
    // B: the tuning before the last whole-tuning change, and back; nothing before the first.
    void switchTuning();

    // A mark of the diagram (column 1..13; row 0 root, 1 third, 2 fifth) chosen, as a click on
    // it chooses it: its tone then takes the arrow keys.
    void selectMark(int column, int row);
    // An ear exercise begun, in the window the exercises have.
    void startExercise(Exercise exercise, std::optional<int> rounds = std::nullopt);
    // An exercise ended with all its questions answered: the lesson that asked for it and the
    // learner's progress hear of it.
    void finishExercise(const klangora::ExerciseOutcome& outcome);

    // The diagram's columns: chromatic or by fifths.
    void arrange(bool fifths);
    void switchArrangement() { arrange(!m_fifths); }

    // Sound.
    void playChords(ChordSequence sequence);
    void press(klangora::VoiceSource source, int note, float velocity = 1.0f);
    void release(klangora::VoiceSource source, int note);
    // Esc, "Stop al lyd": every sound stops, a piece pauses where it is, a sequence ends.
    void stopAllSound();
    // A piece: opened (stopped at its start), played or paused.
    std::optional<QString> openPiece(const QString& path);
    void playOrPause();
    // The sound the keys, a piece and the exercises play in: the own tone or an instrument.
    // Chosen once at the start (the run's own, else the one the user chose last), by the user,
    // by a lesson for its piece, or the own tone again when an instrument's font fails.
    void chooseSound(klangora::InstrumentSound sound);
    // By its name on the command line (as a lesson gives it too); a name that names no sound
    // changes nothing.
    bool chooseSound(const QString& name);
    klangora::InstrumentSound sound() const { return m_sound; }

signals:
    void arranged(bool fifths);
    // Esc: whoever plays hears of it before the instrument lets go.
    void allSoundStopped();
    // What B would switch to has changed, or the tuning it switches from.
    void tuningSwitchChanged();
    void markSelected(int column, int row);
    void exerciseStarted(Session::Exercise exercise, std::optional<int> rounds);
    void exerciseFinished(const klangora::ExerciseOutcome& outcome);
    // Another sound chosen; the same one again tells nothing.
    void soundChosen(klangora::InstrumentSound sound);
    // A command the session cannot carry out, in words for the user.
    void refused(const QString& reason);

private:
    void noteWholeChange();

    klangora::LiveInstrument& m_instrument;
    TuningModel m_model;
    MessageBoard m_messages;
    std::unique_ptr<SoundSequence> m_sequence;
    std::unique_ptr<klangora::PiecePlayer> m_player;
    std::unique_ptr<klangora::PieceScheduler> m_scheduler;
    std::unique_ptr<PieceTransport> m_piece;
    std::unique_ptr<SoundingPresenter> m_sounding;
    std::unique_ptr<ExerciseVoices> m_exerciseVoices;
    bool m_fifths = false;
    klangora::InstrumentSound m_sound = klangora::InstrumentSound::own;
    klangora::TuningToggle m_toggle;
    klangora::Tuning m_settled; // the tuning as it stood before the change now under way
    bool m_switching = false;
};
