#include "sound/music/piece_scheduler.h"

namespace klangora {

LiveEvent liveEvent(const PieceAction& action) {
    return action.kind == PieceAction::Kind::noteOn
               ? LiveEvent::noteOn(VoiceSource::piece, action.note, action.velocity)
               : LiveEvent::noteOff(VoiceSource::piece, action.note);
}

void PieceScheduler::renderCallback(LiveSynth& synth, std::span<float> out, int sampleRate) {
    std::size_t rendered = 0;
    const auto renderTo = [&](int offset) {
        const auto at = static_cast<std::size_t>(offset);
        if (at > rendered) {
            synth.renderSpan(out.subspan(rendered, at - rendered), sampleRate);
            rendered = at;
        }
    };
    m_midi.retry();
    m_player.advance(
        static_cast<int>(out.size()), sampleRate,
        [&](int offset, const PieceAction& action) {
            renderTo(offset);
            synth.applyOnAudioThread(liveEvent(action));
        },
        [&](int offset, const PieceEvent& event) {
            renderTo(offset);
            synth.applyPieceEvent(event);
            m_midi.push(event);
        });
    synth.renderSpan(out.subspan(rendered), sampleRate);
}

} // namespace klangora
