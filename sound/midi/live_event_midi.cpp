#include "sound/midi/live_event_midi.h"

#include "core/mts/midi_tuning_messages.h"
#include "core/musical_facts.h"
#include "sound/midi/midi_bytes.h"

#include <algorithm>
#include <cmath>

namespace klangora {

namespace {

using namespace midi;
constexpr std::uint8_t kController = kControlChange;
// A tone nearer its key's pitch than this needs no retuning.
constexpr double kRetuneCents = 0.01;

std::uint8_t velocityByte(float velocity) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(velocity * 127.0f), 1L, 127L));
}

bool isNote(int note) {
    return note >= 0 && note < 128;
}

} // namespace

bool LiveEventMidi::heldByAny(int note) const {
    return std::any_of(m_held.begin(), m_held.end(), [note](const std::bitset<128>& held) {
        return held.test(static_cast<std::size_t>(note));
    });
}

void LiveEventMidi::noteOff(VoiceSource source, int note, std::vector<std::uint8_t>& bytes) {
    auto& held = m_held[sourceIndex(source)];
    if (!held.test(static_cast<std::size_t>(note))) {
        return;
    }
    held.reset(static_cast<std::size_t>(note));
    if (!heldByAny(note)) {
        bytes.insert(bytes.end(), {kNoteOff | kChannel, static_cast<std::uint8_t>(note), 0});
    }
}

void LiveEventMidi::noteOn(VoiceSource source, int note, float velocity,
                           std::vector<std::uint8_t>& bytes) {
    if (!heldByAny(note)) {
        bytes.insert(bytes.end(),
                     {kNoteOn | kChannel, static_cast<std::uint8_t>(note), velocityByte(velocity)});
    }
    m_held[sourceIndex(source)].set(static_cast<std::size_t>(note));
}

// The key of the tuning whose pitch lies nearest the frequency; -1 off the keyboard.
int LiveEventMidi::nearestKey(double frequencyHz) const {
    const double cents = 1200.0 * std::log2(frequencyHz / static_cast<double>(kFixedCHz));
    int best = -1;
    double bestDistance = 0;
    for (int pitchClass = 0; pitchClass < 12; ++pitchClass) {
        const double octaves = std::round((cents - m_tuning.cents(pitchClass)) / 1200.0);
        const double distance = std::fabs(cents - m_tuning.cents(pitchClass) - 1200.0 * octaves);
        if (best < 0 || distance < bestDistance) {
            best = kFixedCNote + pitchClass + 12 * static_cast<int>(octaves);
            bestDistance = distance;
        }
    }
    return isNote(best) ? best : -1;
}

// On again, the tone moves: a tone that stays on its key glides with the key's retuning, one
// that leaves it ends there and starts on the new key.
void LiveEventMidi::fixedOn(const LiveEvent& event, std::vector<std::uint8_t>& bytes) {
    const int key = nearestKey(event.value);
    auto tone = std::find_if(m_fixed.begin(), m_fixed.end(),
                             [&](const FixedTone& fixed) { return fixed.id == event.key; });
    if (tone != m_fixed.end() && tone->key != key) {
        fixedOff(event.source, event.key, bytes);
        tone = m_fixed.end();
    }
    if (tone == m_fixed.end()) {
        tone = std::find_if(m_fixed.begin(), m_fixed.end(),
                            [](const FixedTone& fixed) { return fixed.id < 0; });
    }
    if (key < 0 || tone == m_fixed.end()) {
        return;
    }
    // A sounding tone that glides back onto its key's pitch is retuned there too.
    const bool offKey =
        std::fabs(1200.0 * std::log2(event.value / m_tuning.frequencyHz(key))) > kRetuneCents;
    if (offKey || (tone->id >= 0 && m_retunedKeys)) {
        const auto retune = mts::singleKeyTuningChange(key, event.value);
        bytes.insert(bytes.end(), retune.begin(), retune.end());
        m_retunedKeys = true;
    }
    if (tone->id < 0) {
        *tone = {event.key, key};
        noteOn(event.source, key, event.velocity, bytes);
    }
}

void LiveEventMidi::fixedOff(VoiceSource source, int id, std::vector<std::uint8_t>& bytes) {
    for (FixedTone& tone : m_fixed) {
        if (tone.id == id) {
            noteOff(source, tone.key, bytes);
            tone.id = -1;
        }
    }
}

// Only once no exercise tone sounds: the whole tuning would take a sounding tone's own pitch.
bool LiveEventMidi::takeRetuned() {
    const bool due =
        m_retunedKeys && std::none_of(m_fixed.begin(), m_fixed.end(),
                                      [](const FixedTone& tone) { return tone.id >= 0; });
    if (due) {
        m_retunedKeys = false;
    }
    return due;
}

std::vector<std::uint8_t> LiveEventMidi::translate(const LiveEvent& event) {
    std::vector<std::uint8_t> bytes;
    if (event.source == VoiceSource::midi && event.kind != LiveEvent::Kind::releaseAll) {
        return bytes;
    }
    switch (event.kind) {
    case LiveEvent::Kind::noteOn:
        if (isNote(event.key)) {
            noteOn(event.source, event.key, event.velocity, bytes);
        }
        break;
    case LiveEvent::Kind::noteOff:
        if (isNote(event.key)) {
            noteOff(event.source, event.key, bytes);
        }
        break;
    case LiveEvent::Kind::fixedOn:
        fixedOn(event, bytes);
        break;
    case LiveEvent::Kind::fixedOff:
        fixedOff(event.source, event.key, bytes);
        break;
    case LiveEvent::Kind::releaseSource:
        for (const FixedTone& tone : m_fixed) {
            if (tone.id >= 0 && event.source == VoiceSource::exercise) {
                fixedOff(event.source, tone.id, bytes);
            }
        }
        for (int note = 0; note < 128; ++note) {
            noteOff(event.source, note, bytes);
        }
        break;
    case LiveEvent::Kind::releaseAll:
        return silenceAll();
    default:
        break;
    }
    return bytes;
}

std::vector<std::uint8_t> LiveEventMidi::silenceAll() {
    std::vector<std::uint8_t> bytes;
    for (std::uint8_t channel = 0; channel < 16; ++channel) {
        const auto status = static_cast<std::uint8_t>(kController | channel);
        bytes.insert(bytes.end(), {status, kSustainPedal, 0, status, kAllNotesOff, 0});
    }
    for (auto& held : m_held) {
        held.reset();
    }
    m_fixed = {};
    return bytes;
}

} // namespace klangora
