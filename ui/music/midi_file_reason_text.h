#pragma once

// Why a MIDI file cannot be played, in the interface's language: the core's reasons, sentence
// for sentence, with the same numbers.
#include "core/music/midi_file_reader.h"

#include <QString>

QString midiFileReasonText(const klangora::MidiFileError& error);
