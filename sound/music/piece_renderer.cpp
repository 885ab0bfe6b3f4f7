#include "sound/music/piece_renderer.h"

#include <algorithm>
#include <cmath>

namespace klangora {

namespace {

// Within a render call the voices are rendered up to each event; this keeps the call short
// enough that the queue between cursor and voices never fills.
constexpr std::size_t kMaxFramesPerCall = 4096;

} // namespace

LiveEvent liveEvent(const PieceAction& action) {
    return {action.kind == PieceAction::Kind::noteOn ? LiveEvent::Kind::noteOn
                                                     : LiveEvent::Kind::noteOff,
            action.note, action.velocity, 0};
}

PieceRenderer::PieceRenderer(const Piece& piece, const std::array<double, 12>& centsAboveC,
                             int sampleRate)
    : m_synth(std::make_unique<LiveSynth>()), m_cursor(sampleRate), m_sampleRate(sampleRate) {
    m_totalFrames = static_cast<std::int64_t>(
        std::ceil((piece.lengthSeconds + kRenderTailSeconds) * sampleRate));
    m_cursor.setPiece(&piece);
    m_cursor.play();
    retune(centsAboveC);
}

PieceRenderer::~PieceRenderer() = default;

void PieceRenderer::retune(const std::array<double, 12>& centsAboveC) {
    for (std::size_t pitchClass = 0; pitchClass < 12; ++pitchClass) {
        m_synth->post({LiveEvent::Kind::tune, static_cast<std::uint8_t>(pitchClass), 0,
                       centsAboveC[pitchClass]});
    }
}

void PieceRenderer::renderSpan(std::span<float> out) {
    std::size_t rendered = 0;
    m_cursor.advance(static_cast<int>(out.size()), [&](int offset, const PieceAction& action) {
        const auto at = static_cast<std::size_t>(offset);
        if (at > rendered) {
            m_synth->render(out.subspan(rendered, at - rendered), m_sampleRate);
            rendered = at;
        }
        // Posted now, applied as the next stretch begins: at its own sample.
        m_synth->post(liveEvent(action));
    });
    m_synth->render(out.subspan(rendered), m_sampleRate);
}

std::size_t PieceRenderer::render(std::span<float> out) {
    const auto left = static_cast<std::size_t>(m_totalFrames - m_renderedFrames);
    const std::size_t count = std::min(out.size(), left);
    for (std::size_t start = 0; start < count; start += kMaxFramesPerCall) {
        renderSpan(out.subspan(start, std::min(kMaxFramesPerCall, count - start)));
    }
    m_renderedFrames += static_cast<std::int64_t>(count);
    return count;
}

} // namespace klangora
