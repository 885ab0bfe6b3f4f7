#pragma once

// A piece rendered offline through the live instrument's own voices, as fast as the processor
// goes: the cursor gives each event its sample, the voices are rendered up to it, the event is
// applied, and so on, so the result is the same sound playback makes.
#include "sound/instrument/live_synth.h"
#include "sound/music/piece_cursor.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>

namespace klangora {

inline constexpr int kRenderSampleRate = 48000;
// After the last event the released tones fade (and a glide may finish): this much more.
inline constexpr double kRenderTailSeconds = 0.5;

// The voices' event for what the cursor tells them.
LiveEvent liveEvent(const PieceAction& action);

class PieceRenderer {
public:
    PieceRenderer(const Piece& piece, const std::array<double, 12>& centsAboveC,
                  int sampleRate = kRenderSampleRate);
    ~PieceRenderer();

    std::int64_t totalFrames() const { return m_totalFrames; }
    std::int64_t renderedFrames() const { return m_renderedFrames; }
    bool finished() const { return m_renderedFrames >= m_totalFrames; }

    // The next samples (mono, -1..1), at most out.size() of them; returns how many.
    std::size_t render(std::span<float> out);
    // From the next sample on: sounding tones glide to the new pitches, coming ones start there.
    void retune(const std::array<double, 12>& centsAboveC);

private:
    void renderSpan(std::span<float> out);

    std::unique_ptr<LiveSynth> m_synth;
    PieceCursor m_cursor;
    int m_sampleRate;
    std::int64_t m_totalFrames = 0;
    std::int64_t m_renderedFrames = 0;
};

} // namespace klangora
