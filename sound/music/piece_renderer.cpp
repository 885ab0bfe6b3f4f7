#include "sound/music/piece_renderer.h"

#include <algorithm>
#include <cmath>

namespace klangora {

namespace {

// A render call is one callback of the synth: short enough that the events a callback applies
// stay few, long enough to cost nothing.
constexpr std::size_t kFramesPerCallback = 4096;

} // namespace

PieceRenderer::PieceRenderer(const Piece& piece, const Tuning& tuning, int sampleRate,
                             ExtraRenderer* extra)
    : m_synth(std::make_unique<LiveSynth>()), m_player(std::make_unique<PiecePlayer>(sampleRate)),
      m_scheduler(std::make_unique<PieceScheduler>(*m_player)), m_sampleRate(sampleRate) {
    m_totalFrames = static_cast<std::int64_t>(
        std::ceil((piece.lengthSeconds + kRenderTailSeconds) * sampleRate));
    // The caller keeps the piece; the player only borrows it.
    m_player->load(std::shared_ptr<const Piece>(std::shared_ptr<const Piece>(), &piece));
    m_player->play();
    m_synth->setScheduler(m_scheduler.get());
    m_synth->setExtraRenderer(extra);
    retune(tuning);
}

PieceRenderer::~PieceRenderer() = default;

void PieceRenderer::retune(const Tuning& tuning) {
    for (std::size_t pitchClass = 0; pitchClass < 12; ++pitchClass) {
        m_synth->post(
            LiveEvent::tune(static_cast<int>(pitchClass), tuning.centsAboveC()[pitchClass]));
    }
}

std::size_t PieceRenderer::render(std::span<float> out) {
    const auto left = static_cast<std::size_t>(m_totalFrames - m_renderedFrames);
    const std::size_t count = std::min(out.size(), left);
    for (std::size_t start = 0; start < count; start += kFramesPerCallback) {
        m_synth->render(out.subspan(start, std::min(kFramesPerCallback, count - start)),
                        m_sampleRate);
    }
    m_renderedFrames += static_cast<std::int64_t>(count);
    return count;
}

} // namespace klangora
