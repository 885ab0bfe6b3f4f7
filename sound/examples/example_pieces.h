#pragma once

// The example pieces a class can play on the first day: a cadence round the circle of fifths
// and the two chorales of the sound buttons in every key, note for note as the buttons play
// them. They are made here as notes in ticks and written as MIDI files when the program is
// built.
#include "core/musical_facts.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace klangora::music {

// The pieces count time in ticks at this many per quarter note, at one quarter note a second,
// so that a tick is a whole number of milliseconds' worth (1000 ms = 480 ticks).
inline constexpr int kExampleTicksPerQuarter = 480;
inline constexpr double kExampleQuarterNotesPerMinute = 60.0;

// The four voices from the top down; each is a track and a MIDI channel of its own.
inline constexpr int kExampleVoiceCount = 4;
inline constexpr std::array<const char*, kExampleVoiceCount> kExampleVoiceNames = {"Sopran", "Alt",
                                                                                   "Tenor", "Bas"};

struct ExampleNote {
    std::uint32_t startTick = 0;
    std::uint32_t endTick = 0;
    int voice = 0;         // 0 soprano .. 3 bass
    int key = kFixedCNote; // MIDI key
};

enum class ExampleGroup { cadence, chorale, jazzChorale };

struct ExamplePiece {
    ExampleGroup group = ExampleGroup::cadence;
    std::string fileName; // without a folder, ASCII
    std::string title;    // Danish (UTF-8), for menus and the file's sequence name
    std::vector<ExampleNote> notes;
    int keyButton = 0; // a chorale's key, 1..12 (C .. H); 0 for the cadence
};

// I-IV-V-I in four voices in each of the twelve major keys, C G D A E H F# C# G# Eb Bb F.
ExamplePiece circleOfFifthsCadence();

// "Koral" and "Jazz-koral" on the key button keyButton 1..12 (C .. H), with the tones, the
// register and the durations of the sound buttons: tone number t plays MIDI key 59 + t.
ExamplePiece chorale(int keyButton);
ExamplePiece jazzChorale(int keyButton);

// Every example, the cadence first, then the chorales and the jazz chorales from C to H.
std::vector<ExamplePiece> allExamplePieces();

// The tick of a time in milliseconds at the examples' tempo.
constexpr std::uint32_t exampleTick(int milliseconds) {
    return static_cast<std::uint32_t>(milliseconds * kExampleTicksPerQuarter / 1000);
}

} // namespace klangora::music
