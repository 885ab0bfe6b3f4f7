#pragma once

// The exercises' voices on the live instrument: a source of their own, so that Esc in the
// exercises or the end of one lets go only of the exercise's tones, and fixed frequencies that no
// retuning moves (a tone sounded again at another frequency glides there).
#include "ui/exercises/exercise_voices.h"

namespace klangora {
class LiveInstrument;
}

class LiveExerciseVoices : public ExerciseVoices {
public:
    explicit LiveExerciseVoices(klangora::LiveInstrument& instrument) : m_instrument(instrument) {}

    void on(int id, double frequencyHz, float velocity) override;
    void off(int id) override;
    void stopAll() override;

private:
    klangora::LiveInstrument& m_instrument;
};
