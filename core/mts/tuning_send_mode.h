#pragma once

// How the tuning goes out to an instrument on MIDI: which messages make up the whole state that
// is sent at each new connection and after every change.
#include "core/mts/midi_tuning_messages.h"

#include <optional>
#include <string_view>

namespace klangora::mts {

enum class SendMode {
    scale2Byte, // Scale/Octave Tuning, 2-byte form: FluidSynth and most instruments that know MTS
    scale1Byte, // the 1-byte form, whole cents: older instruments
    everyKey,   // Single Note Tuning Change on all keys, the program selected on every channel
    off,        // nothing is sent
};

inline constexpr SendMode kDefaultSendMode = SendMode::scale2Byte;

// The messages of the whole tuning in the mode, as one run of bytes; nothing when off.
Bytes tuningState(SendMode mode, const Tuning& tuning);

// Names on the command line: "scale2", "scale1", "keys", "off".
std::optional<SendMode> sendModeFromCommandName(std::string_view name);

} // namespace klangora::mts
