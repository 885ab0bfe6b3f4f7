#pragma once

// A piece rendered offline through the live instrument's own voices, as fast as the processor
// goes: the same scheduler that plays it on the audio clock gives each event its sample here,
// so the result is the sound playback makes.
#include "sound/instrument/live_synth.h"
#include "sound/music/piece_player.h"
#include "sound/music/piece_scheduler.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>

namespace klangora {

inline constexpr int kRenderSampleRate = 48000;
// After the last event the released tones fade (and a glide may finish): this much more.
inline constexpr double kRenderTailSeconds = 0.5;

class PieceRenderer {
public:
    // The piece must outlive the renderer, and `extra` (another sound in the voices' place or
    // beside them, such as FluidSynth's instruments) too.
    PieceRenderer(const Piece& piece, const Tuning& tuning, int sampleRate = kRenderSampleRate,
                  ExtraRenderer* extra = nullptr);
    ~PieceRenderer();

    std::int64_t totalFrames() const { return m_totalFrames; }
    std::int64_t renderedFrames() const { return m_renderedFrames; }
    bool finished() const { return m_renderedFrames >= m_totalFrames; }

    // The next samples (mono, -1..1), at most out.size() of them; returns how many.
    std::size_t render(std::span<float> out);
    // From the next sample on: sounding tones glide to the new pitches, coming ones start there.
    void retune(const Tuning& tuning);

private:
    std::unique_ptr<LiveSynth> m_synth;
    std::unique_ptr<PiecePlayer> m_player;
    std::unique_ptr<PieceScheduler> m_scheduler;
    int m_sampleRate;
    std::int64_t m_totalFrames = 0;
    std::int64_t m_renderedFrames = 0;
};

} // namespace klangora
