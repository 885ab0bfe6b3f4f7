#include "core/mts/tuning_send_mode.h"

namespace klangora::mts {

Bytes tuningState(SendMode mode, const Tuning& tuning) {
    switch (mode) {
    case SendMode::scale2Byte:
        return scaleOctaveTuning2Byte(tuning);
    case SendMode::scale1Byte:
        return scaleOctaveTuning1Byte(tuning);
    case SendMode::everyKey: {
        // The keys first, then the selection, so no channel plays from a half-filled program.
        Bytes bytes;
        for (const Bytes& message : singleNoteTuningChanges(tuning)) {
            bytes.insert(bytes.end(), message.begin(), message.end());
        }
        const Bytes select = selectTuningProgramOnAllChannels();
        bytes.insert(bytes.end(), select.begin(), select.end());
        return bytes;
    }
    case SendMode::off:
        break;
    }
    return {};
}

std::optional<SendMode> sendModeFromCommandName(std::string_view name) {
    if (name == "scale2") {
        return SendMode::scale2Byte;
    }
    if (name == "scale1") {
        return SendMode::scale1Byte;
    }
    if (name == "keys") {
        return SendMode::everyKey;
    }
    if (name == "off") {
        return SendMode::off;
    }
    return std::nullopt;
}

} // namespace klangora::mts
