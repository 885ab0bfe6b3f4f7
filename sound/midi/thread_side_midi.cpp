#include "sound/midi/thread_side_midi.h"

#include "sound/instrument/live_synth.h"

namespace klangora {

// One sender's bytes and keys, so that a sender gone takes exactly its own notes with it.
class ThreadSideMidi::Sender : public NoteSink {
public:
    explicit Sender(ThreadSideMidi& owner) : m_owner(owner), m_notes(*this) {}
    void feed(std::span<const std::uint8_t> bytes) {
        m_parser.feed(bytes, [this](const MidiMessage& message) {
            m_notes.handle(message);
            m_owner.tell({MidiNews::Kind::message, 0, 0, message});
        });
    }
    void letGo() {
        m_parser.reset();
        m_notes.releaseAll();
    }

private:
    void noteOn(int note, float velocity) override { m_owner.post(true, note, velocity); }
    void noteOff(int note) override { m_owner.post(false, note, 0); }

    ThreadSideMidi& m_owner;
    MidiStreamParser m_parser;
    MidiNotes m_notes;
};

ThreadSideMidi::ThreadSideMidi(LiveSynth& synth) : m_synth(synth) {}

ThreadSideMidi::~ThreadSideMidi() = default;

void ThreadSideMidi::receive(std::uint16_t sender, bool gone, std::span<const std::uint8_t> bytes) {
    if (m_letGoWanted.exchange(false, std::memory_order_acquire)) {
        for (auto& [source, each] : m_senders) {
            each->letGo();
        }
    }
    auto found = m_senders.find(sender);
    if (gone) {
        if (found != m_senders.end()) {
            found->second->letGo();
            m_senders.erase(found);
        }
        return;
    }
    if (found == m_senders.end()) {
        found = m_senders.emplace(sender, std::make_unique<Sender>(*this)).first;
    }
    found->second->feed(bytes);
}

// A queue full (the audio side stopped taking them for a while) keeps the note waiting behind
// the others, so that a note-off never overtakes its note-on; the window's record follows what
// was posted, and what sounds is read back from the voices.
void ThreadSideMidi::post(bool on, int note, float velocity) {
    const LiveEvent event = on ? LiveEvent::noteOn(VoiceSource::midi, note, velocity)
                               : LiveEvent::noteOff(VoiceSource::midi, note);
    {
        const std::lock_guard lock(m_waitingLock);
        m_waiting.push_back(event);
        postWaiting();
    }
    tell({on ? MidiNews::Kind::noteOn : MidiNews::Kind::noteOff,
          static_cast<std::uint8_t>(note),
          velocity,
          {}});
}

void ThreadSideMidi::retryWaiting() {
    const std::lock_guard lock(m_waitingLock);
    postWaiting();
}

void ThreadSideMidi::postWaiting() {
    while (!m_waiting.empty() && m_synth.postFromMidiThread(m_waiting.front())) {
        m_waiting.pop_front();
    }
}

void ThreadSideMidi::tell(const MidiNews& news) {
    if (!m_news.push(news)) {
        m_newsLost = true;
    }
}

} // namespace klangora
