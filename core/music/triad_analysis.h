#pragma once

// Which major and minor triads a piece rests on, and how the current tuning treats them. A
// triad sounds wherever its root, its third (major or minor) and its fifth sound together, in
// any octaves and any voicing; more tones may sound besides (an added seventh, a doubled root),
// so an A minor seventh chord (A C E G) holds both an A minor and a C major triad.
#include "core/tuning.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace klangora::music {

// One note of a piece: when it starts and ends, in seconds from the piece's start, and its MIDI
// key (60 = the fixed c of the tone table; the key's pitch class is its tone index).
struct TimedNote {
    double startSeconds = 0.0;
    double endSeconds = 0.0;
    int key = kFixedCNote;
};

// Pitch class 0..11 (C, C#, D, Eb, E, F, F#, G, G#, A, Bb, H) of a MIDI key, also below key 0.
constexpr int pitchClass(int midiKey) {
    return ((midiKey % 12) + 12) % 12;
}

// Bit r stands for the triad on root r.
using TriadMask = std::uint16_t;

enum class TriadKind { major, minor };

// A stretch of time in which the same triads sound, from its start up to (not including) its
// end; at least one triad, major or minor, sounds in it.
struct TriadSpan {
    double startSeconds = 0.0;
    double endSeconds = 0.0;
    TriadMask roots = 0;      // the major triads
    TriadMask minorRoots = 0; // the minor triads

    TriadMask of(TriadKind kind) const { return kind == TriadKind::major ? roots : minorRoots; }
};

// The stretches in time order, never overlapping; neighbours with the same triads are joined.
std::vector<TriadSpan> triadSpans(std::span<const TimedNote> notes);

// The triads of a kind sounding at a moment of the piece.
TriadMask triadsSoundingAt(std::span<const TriadSpan> spans, double seconds,
                           TriadKind kind = TriadKind::major);

// For each root 0..11 (tone index: C, C#, ..., H) the seconds during which its major and its
// minor triad sound, and that time as a share of the piece's length.
struct TriadTimes {
    std::array<double, 12> seconds{};
    std::array<double, 12> minorSeconds{};
    double pieceSeconds = 0.0;

    double secondsOf(int root, TriadKind kind = TriadKind::major) const;
    double share(int root, TriadKind kind = TriadKind::major) const;
};

// The piece's length is the end of its last note, or pieceSeconds when that is longer (a file
// may hold silence after its last note).
TriadTimes triadTimes(std::span<const TimedNote> notes, double pieceSeconds = 0.0);
TriadTimes triadTimes(std::span<const TriadSpan> spans, double pieceSeconds);

// How far the third (major from 5:4, minor from 6:5) and the fifth above a root lie from pure in
// a tuning, in cents, as the diagram's readouts give them (rounded to a tenth); positive is
// wider than pure.
struct TriadDeviation {
    double thirdCents = 0.0;
    double fifthCents = 0.0;
};

TriadDeviation triadDeviation(const Tuning& tuning, int root, TriadKind kind = TriadKind::major);

// The twelve roots in the order of the diagram's columns, the upper C left out because it
// shares the figure of the lower: chromatically (C C# D ...) or round the fifths (C G D ...).
inline constexpr std::array<int, 12> kChromaticRoots = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
inline constexpr std::array<int, 12> kFifthsRoots = {0, 7, 2, 9, 4, 11, 6, 1, 8, 3, 10, 5};

} // namespace klangora::music
