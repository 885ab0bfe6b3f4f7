#pragma once

#include "sound/sound_player.h"

// Plays through another player on a worker thread while the GUI thread keeps answering the
// desktop: the window repaints, timers tick and the window manager gets its replies, but mouse
// and keyboard input waits until the sound has ended, so the sequence of chords stays exactly
// as if playing blocked the thread. play() still returns only when the sound has ended.
//
// Closing the window is the one request that does not wait: when the application quits during
// a chord, the chord is cut short and every later one is skipped, so the program ends at once.
class ResponsivePlayer : public SoundPlayer {
public:
    explicit ResponsivePlayer(SoundPlayer& backend);

    void play(const std::vector<std::uint8_t>& wavImage) override;
    void beginSequence() override { m_backend.beginSequence(); }
    void cutShort() override { m_backend.cutShort(); }

private:
    SoundPlayer& m_backend;
    // Read and written on the GUI thread only.
    bool m_quitting = false;
};
