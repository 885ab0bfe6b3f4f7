#pragma once

#include "sound/sound_player.h"

#include <atomic>

// Plays through another player on a worker thread while the GUI thread keeps answering the
// desktop: the window repaints, timers tick and the window manager gets its replies, but mouse
// and keyboard input waits until the sound has ended, so the sequence of chords stays exactly
// as if playing blocked the thread. play() still returns only when the sound has ended.
class ResponsivePlayer : public SoundPlayer {
public:
    explicit ResponsivePlayer(SoundPlayer& backend);

    void play(const std::vector<std::uint8_t>& wavImage) override;

private:
    SoundPlayer& m_backend;
    // Set once the application has been told to quit while a chord sounded: later chords of the
    // same sequence are not played any more.
    std::atomic<bool> m_quitting{false};
};
