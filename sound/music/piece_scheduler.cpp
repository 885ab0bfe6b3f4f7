#include "sound/music/piece_scheduler.h"

namespace klangora {

LiveEvent liveEvent(const PieceAction& action) {
    return action.kind == PieceAction::Kind::noteOn
               ? LiveEvent::noteOn(VoiceSource::piece, action.note, action.velocity)
               : LiveEvent::noteOff(VoiceSource::piece, action.note);
}

void PieceScheduler::renderCallback(LiveSynth& synth, std::span<float> out, int sampleRate) {
    std::size_t rendered = 0;
    m_player.advance(static_cast<int>(out.size()), sampleRate,
                     [&](int offset, const PieceAction& action) {
                         const auto at = static_cast<std::size_t>(offset);
                         if (at > rendered) {
                             synth.renderSpan(out.subspan(rendered, at - rendered), sampleRate);
                             rendered = at;
                         }
                         synth.applyOnAudioThread(liveEvent(action));
                     });
    synth.renderSpan(out.subspan(rendered), sampleRate);
}

} // namespace klangora
