#include "sound/midi/audio_side_midi.h"

#include "sound/instrument/live_event.h"
#include "sound/output/audio_output.h"

namespace klangora {

void AudioSideMidi::beginCallback(AudioRenderer& renderer) {
    if (m_letGoWanted.exchange(false, std::memory_order_acquire)) {
        letGoNow(renderer);
    }
}

void AudioSideMidi::feedEvent(std::span<const std::uint8_t> bytes, AudioRenderer& renderer) {
    m_renderer = &renderer;
    m_parser.startEvent();
    m_parser.feed(bytes, [this](const MidiMessage& message) {
        m_notes.handle(message);
        tell({MidiNews::Kind::message, 0, 0, message});
    });
    m_renderer = nullptr;
}

void AudioSideMidi::letGoNow(AudioRenderer& renderer) {
    m_renderer = &renderer;
    m_parser.reset();
    m_notes.releaseAll();
    m_renderer = nullptr;
}

void AudioSideMidi::noteOn(int note, float velocity) {
    m_renderer->applyAtFrame(LiveEvent::noteOn(VoiceSource::midi, note, velocity));
    tell({MidiNews::Kind::noteOn, static_cast<std::uint8_t>(note), velocity, {}});
}

void AudioSideMidi::noteOff(int note) {
    m_renderer->applyAtFrame(LiveEvent::noteOff(VoiceSource::midi, note));
    tell({MidiNews::Kind::noteOff, static_cast<std::uint8_t>(note), 0, {}});
}

// A window that has not looked for a long time misses news; the sound is right regardless.
void AudioSideMidi::tell(const MidiNews& news) {
    if (!m_news.push(news)) {
        m_newsLost.store(true, std::memory_order_relaxed);
    }
}

} // namespace klangora
