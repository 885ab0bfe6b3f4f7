#pragma once

#include <cstdint>
#include <vector>

// Where the sound buttons' chords leave the sequence: a player is handed a complete WAV image in
// memory, so that the sound engine (and every test that stands in for it) receives exactly the
// bytes the synthesis made, header and all, and returns only when the sound has been heard (or
// could not be played at all, which nobody is told about: a chord that cannot sound is no
// reason to interrupt the learner).
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const std::vector<std::uint8_t>& wavImage) = 0;

    // A sound button was pressed and a new sequence of chords begins. A player that gave up on
    // the sound output during the last sequence tries it again from here on.
    virtual void beginSequence() {}

    // Safe from any thread: the chord that sounds stops at once and play() returns, and every
    // further chord is skipped until the next beginSequence(). For a program that is ending, and
    // for all sound stopped.
    virtual void cutShort() {}
};
