// The two ways MIDI arrives, each sender parsed on its own and played into one sink.
#include "sound/midi/midi_input.h"

#include "sound/instrument/live_synth.h"

#include <sys/eventfd.h>
#include <unistd.h>

namespace klangora {

void MidiInput::Sender::feed(std::span<const std::uint8_t> bytes) {
    parser.feed(bytes, [this](const MidiMessage& message) {
        notes.handle(message);
        if (thru) {
            thru(message);
        }
    });
}

void MidiInput::Sender::letGo() {
    parser.reset();
    notes.releaseAll();
}

MidiInput::MidiInput(NoteSink& sink, MidiAudioSide audioSide)
    : m_sink(sink), m_wakeFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)), m_jackSender(sink, m_thru),
      m_synth(audioSide.synth),
      m_threadSide(m_synth != nullptr ? std::make_unique<ThreadSideMidi>(*m_synth) : nullptr) {
    AlsaSequencerInput::OnThread onThread;
    if (m_threadSide) {
        m_synth->setMidiOnAudioSide(true);
        onThread = [this](AlsaSequencerInput::Source source, bool gone,
                          std::span<const std::uint8_t> bytes) {
            m_threadSide->receive(source, gone, bytes);
        };
    }
    m_alsa = std::make_unique<AlsaSequencerInput>([this] { wake(); }, std::move(onThread));
    m_jack = std::make_unique<JackMidiPort>([this] { wake(); }, audioSide.jack);
}

MidiInput::~MidiInput() {
    m_jack.reset();
    m_alsa.reset();
    if (m_synth != nullptr) {
        m_synth->setMidiOnAudioSide(false);
    }
    if (m_wakeFd >= 0) {
        close(m_wakeFd);
    }
}

void MidiInput::receive(int source, const std::uint8_t* bytes, std::size_t size) {
    const std::span<const std::uint8_t> data(bytes, size);
    if (source == kJackSource) {
        m_jack->deliver(data);
        wake();
    } else {
        m_alsa->receive(data);
    }
}

// From any thread, JACK's process callback among them: a flag and a write to an eventfd.
void MidiInput::wake() {
    if (!m_wakePending.exchange(true) && m_wakeFd >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = write(m_wakeFd, &one, sizeof one);
    }
}

MidiInput::Sender& MidiInput::alsaSender(AlsaSequencerInput::Source source) {
    auto& sender = m_alsaSenders[source];
    if (!sender) {
        sender = std::make_unique<Sender>(m_sink, m_thru);
    }
    return *sender;
}

bool MidiInput::drain() {
    std::uint64_t count = 0;
    if (m_wakeFd >= 0) {
        [[maybe_unused]] const auto read_ = read(m_wakeFd, &count, sizeof count);
    }
    m_wakePending = false;
    const bool alsaLost = m_alsa->drain(
        [this](AlsaSequencerInput::Source source, std::span<const std::uint8_t> bytes) {
            alsaSender(source).feed(bytes);
        },
        [this](AlsaSequencerInput::Source source) {
            if (const auto sender = m_alsaSenders.find(source); sender != m_alsaSenders.end()) {
                sender->second->letGo();
                m_alsaSenders.erase(sender);
            }
        });
    if (alsaLost) {
        // Flooded: what is lost may be a note-off, so every sender lets go.
        for (auto& [source, sender] : m_alsaSenders) {
            sender->letGo();
        }
    }
    m_jack->readEvents([this](std::span<const std::uint8_t> event) {
        m_jackSender.parser.startEvent();
        m_jackSender.feed(event);
    });
    if (m_jack->takeLoss()) {
        m_jackSender.letGo();
    }
    const bool jackChanged = m_jack->open() != m_jackWasOpen;
    m_jackWasOpen = m_jack->open();
    return m_alsa->takeChange() || jackChanged;
}

void MidiInput::releaseAll() {
    m_jackSender.letGo();
    if (m_jack->host() != nullptr) {
        m_jack->host()->midi().letGo();
    }
    if (m_threadSide) {
        m_threadSide->letGo();
    }
    for (auto& [source, sender] : m_alsaSenders) {
        sender->letGo();
    }
}

std::vector<std::string> MidiInput::connectedInputs() const {
    std::vector<std::string> names = m_alsa->names();
    const std::vector<std::string> jack = m_jack->names();
    names.insert(names.end(), jack.begin(), jack.end());
    return names;
}

} // namespace klangora
