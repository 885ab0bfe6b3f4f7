#include "ui/session/session.h"

#include "core/music/tuning_name.h"
#include "core/presets.h"
#include "sound/instrument/live_instrument.h"
#include "sound/music/piece_player.h"
#include "sound/music/piece_scheduler.h"
#include "ui/exercises/live_exercise_voices.h"
#include "ui/sequence/sound_sequence.h"
#include "ui/session/piece_transport.h"

#include <chrono>
#include <thread>

namespace {

// The rate most sound servers run at; the player follows the output's own once it runs.
constexpr int kAssumedSampleRate = 48000;
// Longer than any audio callback takes.
constexpr auto kCallbackPatience = std::chrono::milliseconds(100);

} // namespace

Session::Session(SoundPlayer& chords, klangora::LiveInstrument& instrument, QObject* parent)
    : QObject(parent), m_instrument(instrument),
      m_sequence(std::make_unique<SoundSequence>(chords, m_model, m_messages, this)),
      m_player(std::make_unique<klangora::PiecePlayer>(kAssumedSampleRate)),
      m_scheduler(std::make_unique<klangora::PieceScheduler>(*m_player)),
      m_piece(std::make_unique<PieceTransport>(*m_player,
                                               [this] {
                                                   if (m_instrument.output() != nullptr) {
                                                       m_instrument.output()->open();
                                                   }
                                               })),
      m_sounding(std::make_unique<SoundingPresenter>(m_model, m_instrument, *m_player, m_messages)),
      m_exerciseVoices(std::make_unique<LiveExerciseVoices>(instrument)) {
    // A piece's events reach the voices from the audio thread, at their samples.
    m_instrument.synth().setScheduler(m_scheduler.get());
    connect(m_sequence.get(), &SoundSequence::refused, this, &Session::refused);
    // The instrument carries the tuning to everything that sounds through it: its own voices, a
    // piece's notes and FluidSynth.
    connect(&m_model, &TuningModel::tuningChanged, this,
            [this](const klangora::Tuning& tuning) { m_instrument.setTuning(tuning); });
    m_instrument.setTuning(m_model.tuning());
    m_settled = m_model.tuning();
    // A whole tuning announces itself (tuningSet) before the news of the change that every
    // retuning brings, so the settled tuning is still the one before it when B takes note.
    connect(&m_model, &TuningModel::tuningSet, this, &Session::noteWholeChange);
    connect(&m_model, &TuningModel::tuningChanged, this,
            [this](const klangora::Tuning& tuning) { m_settled = tuning; });
}

Session::~Session() {
    m_instrument.synth().setScheduler(nullptr);
    if (m_instrument.output() != nullptr) {
        // The audio thread takes the change at its next callback; one that has begun may still
        // be using the scheduler. Callbacks last a few milliseconds.
        std::this_thread::sleep_for(kCallbackPatience);
    }
}

klangora::PiecePlayer& Session::piecePlayer() {
    return *m_player;
}

void Session::choosePreset(klangora::PresetId id) {
    m_model.setTuning(klangora::Tuning::preset(id));
}

std::optional<QString> Session::chooseTuning(const QString& name) {
    const auto tuning = klangora::resolveTuningName(name.toStdString());
    if (const auto* named = std::get_if<klangora::NamedTuning>(&tuning)) {
        m_model.setTuning(named->tuning);
        return std::nullopt;
    }
    return QString::fromStdString(
        klangora::tuningNameReason(std::get<klangora::TuningNameError>(tuning)));
}

void Session::setTuning(const klangora::Tuning& tuning) {
    m_model.setTuning(tuning);
}

void Session::moveTone(int sliderNumber, int position) {
    m_model.setPosition(sliderNumber, position);
}

void Session::setKey(int toneNumber) {
    m_model.setKey(toneNumber);
}

void Session::noteWholeChange() {
    const klangora::Tuning now = m_model.tuning();
    if (!m_switching) {
        m_toggle.wholeChange(m_settled, now);
    }
    m_settled = now;
    emit tuningSwitchChanged();
}

void Session::switchTuning() {
    if (const auto other = m_toggle.toggle()) {
        m_switching = true;
        m_model.setTuning(*other);
        m_switching = false;
    }
}

void Session::selectMark(int column, int row) {
    emit markSelected(column, row);
}

void Session::startExercise(Exercise exercise, std::optional<int> rounds) {
    emit exerciseStarted(exercise, rounds);
}

void Session::finishExercise(const klangora::ExerciseOutcome& outcome) {
    emit exerciseFinished(outcome);
}

void Session::arrange(bool fifths) {
    m_fifths = fifths;
    emit arranged(m_fifths);
}

void Session::playChords(ChordSequence sequence) {
    switch (sequence) {
    case ChordSequence::triad:
        m_sequence->BitBtn1Click();
        break;
    case ChordSequence::chorale:
        m_sequence->BitBtn2Click();
        break;
    case ChordSequence::jazzChorale:
        m_sequence->BitBtn3Click();
        break;
    }
}

void Session::press(klangora::VoiceSource source, int note, float velocity) {
    m_instrument.noteOn(source, note, velocity);
    m_sounding->scheduleShow();
}

void Session::release(klangora::VoiceSource source, int note) {
    m_instrument.noteOff(source, note);
    m_sounding->scheduleShow();
}

void Session::stopAllSound() {
    // The players first, so that what they let go afterwards finds nothing held.
    emit allSoundStopped();
    if (m_piece->playing()) {
        m_piece->playOrPause();
    }
    m_sequence->stop();
    m_instrument.releaseAll();
    m_sounding->scheduleShow();
}

std::optional<QString> Session::openPiece(const QString& path) {
    return m_piece->open(path);
}

void Session::playOrPause() {
    m_piece->playOrPause();
}

void Session::chooseSound(klangora::InstrumentSound sound) {
    if (sound != m_sound) {
        m_sound = sound;
        emit soundChosen(sound);
    }
}

bool Session::chooseSound(const QString& name) {
    const auto sound = klangora::instrumentSoundFromCommandName(name.toStdString());
    if (sound) {
        chooseSound(*sound);
    }
    return sound.has_value();
}
