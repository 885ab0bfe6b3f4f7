#pragma once

// Plays a schedule of tones through the exercise voices: each tone on at its start and off at its
// end, timed by the window thread's timers (tones held for seconds need no finer clock).
#include "core/exercises/scheduled_tone.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <vector>

class ExerciseVoices;

class SchedulePlayer : public QObject {
    Q_OBJECT

public:
    // A real-time clock moves the schedule on by itself; a manual one only through advanceTo,
    // so that a test walks through seconds of sound at once.
    enum class Clock { realTime, manual };

    explicit SchedulePlayer(ExerciseVoices& voices, Clock clock = Clock::realTime,
                            QObject* parent = nullptr);
    ~SchedulePlayer() override;

    void play(const klangora::ToneSchedule& schedule);
    // Every tone it started ends now; nothing more of the schedule sounds.
    void stop();
    bool isPlaying() const { return m_next < m_events.size(); }

    // Plays every event up to `elapsedMs` after the start.
    void advanceTo(int elapsedMs);

signals:
    // The last tone of the schedule has ended (not after stop()).
    void finished();

private:
    struct Event {
        int atMs = 0;
        bool on = false;
        int id = 0;
        double frequencyHz = 0;
    };
    void scheduleNextTick();

    ExerciseVoices& m_voices;
    Clock m_clock;
    std::vector<Event> m_events;
    std::size_t m_next = 0;
    QElapsedTimer m_elapsed;
    QTimer m_timer;
};
