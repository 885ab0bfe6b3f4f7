#include "ui/exercises/live_exercise_voices.h"

#include "sound/instrument/live_instrument.h"

using klangora::VoiceSource;

void LiveExerciseVoices::on(int id, double frequencyHz, float velocity) {
    m_instrument.fixedOn(VoiceSource::exercise, id, frequencyHz, velocity);
}

void LiveExerciseVoices::off(int id) {
    m_instrument.fixedOff(VoiceSource::exercise, id);
}

void LiveExerciseVoices::stopAll() {
    m_instrument.releaseSource(VoiceSource::exercise);
}
