#pragma once

// What an exercise plays: tones at exact frequencies, each from a start to an end on the
// exercise's own clock.
#include <vector>

namespace klangora {

struct ScheduledTone {
    int id = 0; // unique within its schedule
    double frequencyHz = 0;
    int startMs = 0;
    int endMs = 0;

    friend bool operator==(const ScheduledTone&, const ScheduledTone&) = default;
};

using ToneSchedule = std::vector<ScheduledTone>;

// When the last tone of the schedule ends (0 for an empty one).
int scheduleLengthMs(const ToneSchedule& schedule);

} // namespace klangora
