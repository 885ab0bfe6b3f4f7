#include "ui/exercises/schedule_player.h"

#include "ui/exercises/exercise_voices.h"

#include <algorithm>

namespace {
constexpr float kVelocity = 0.8f;
}

SchedulePlayer::SchedulePlayer(ExerciseVoices& voices, Clock clock, QObject* parent)
    : QObject(parent), m_voices(voices), m_clock(clock) {
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this,
            [this] { advanceTo(static_cast<int>(m_elapsed.elapsed())); });
}

SchedulePlayer::~SchedulePlayer() {
    stop();
}

void SchedulePlayer::play(const klangora::ToneSchedule& schedule) {
    stop();
    m_events.clear();
    for (const klangora::ScheduledTone& tone : schedule) {
        m_events.push_back({tone.startMs, true, tone.id, tone.frequencyHz});
        m_events.push_back({tone.endMs, false, tone.id, 0});
    }
    // At the same moment, tones end before others begin, so that a repeated tone sounds anew.
    std::stable_sort(m_events.begin(), m_events.end(), [](const Event& a, const Event& b) {
        return a.atMs != b.atMs ? a.atMs < b.atMs : (!a.on && b.on);
    });
    m_next = 0;
    m_elapsed.start();
    advanceTo(0);
}

void SchedulePlayer::stop() {
    const bool wasPlaying = isPlaying();
    m_timer.stop();
    m_next = m_events.size();
    if (wasPlaying) {
        m_voices.stopAll();
    }
}

void SchedulePlayer::advanceTo(int elapsedMs) {
    if (!isPlaying()) {
        return;
    }
    while (m_next < m_events.size() && m_events[m_next].atMs <= elapsedMs) {
        const Event& event = m_events[m_next++];
        if (event.on) {
            m_voices.on(event.id, event.frequencyHz, kVelocity);
        } else {
            m_voices.off(event.id);
        }
    }
    if (isPlaying()) {
        scheduleNextTick();
    } else {
        emit finished();
    }
}

void SchedulePlayer::scheduleNextTick() {
    if (m_clock == Clock::manual) {
        return;
    }
    const auto waitMs = std::max<qint64>(0, m_events[m_next].atMs - m_elapsed.elapsed());
    m_timer.start(static_cast<int>(waitMs));
}
