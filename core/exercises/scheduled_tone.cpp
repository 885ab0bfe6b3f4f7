#include "core/exercises/scheduled_tone.h"

#include <algorithm>

namespace klangora {

int scheduleLengthMs(const ToneSchedule& schedule) {
    int end = 0;
    for (const ScheduledTone& tone : schedule) {
        end = std::max(end, tone.endMs);
    }
    return end;
}

} // namespace klangora
