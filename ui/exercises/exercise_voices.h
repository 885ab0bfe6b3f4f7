#pragma once

// Where the exercises' tones sound: voices of their own at exact frequencies, apart from the keys
// the learner plays, so that stopping an exercise never silences a key held down.
class ExerciseVoices {
public:
    virtual ~ExerciseVoices() = default;
    // Starts the tone `id` at frequencyHz, or moves it there if it sounds already.
    virtual void on(int id, double frequencyHz, float velocity) = 0;
    virtual void off(int id) = 0;
    // Every tone of the exercises ends.
    virtual void stopAll() = 0;
};

// Voices that make no sound, for a window without an instrument.
class SilentExerciseVoices : public ExerciseVoices {
public:
    void on(int, double, float) override {}
    void off(int) override {}
    void stopAll() override {}
};
