#include "core/music/piece_notes.h"

#include <array>
#include <cstddef>
#include <vector>

namespace klangora::music {

namespace {

using Kind = PieceEvent::Kind;

constexpr std::size_t kChannels = 16;
constexpr std::size_t kKeys = 128;

// The start times of one key's notes struck and not yet released, the earliest first. A release
// takes the front by moving an index, so that a key struck many times before any release is
// let go in time in proportion to its notes, not to their square.
class StartQueue {
public:
    bool empty() const { return m_front == m_starts.size(); }
    void push(double start) { m_starts.push_back(start); }
    double pop() {
        const double start = m_starts[m_front++];
        if (empty()) {
            m_starts.clear();
            m_front = 0;
        }
        return start;
    }

private:
    std::vector<double> m_starts;
    std::size_t m_front = 0;
};

// What sounds on the channels while the events are walked through in time order.
class NotePairing {
public:
    explicit NotePairing(std::vector<TimedNote>& notes)
        : m_notes(notes), m_struck(kChannels * kKeys), m_held(kChannels * kKeys) {}

    void apply(const PieceEvent& event) {
        const std::size_t channel = event.channel % kChannels;
        switch (event.kind) {
        case Kind::noteOn:
            m_struck[slot(channel, event.key % kKeys)].push(event.seconds);
            break;
        case Kind::noteOff:
            release(channel, event.key % kKeys, event.seconds);
            break;
        case Kind::sustain:
            pedal(channel, event.value >= 64, event.seconds);
            break;
        case Kind::program:
            break;
        }
    }

    // Whatever still sounds at the end sounds to the end.
    void finish(double endSeconds) {
        for (std::size_t channel = 0; channel < kChannels; ++channel) {
            for (std::size_t key = 0; key < kKeys; ++key) {
                StartQueue& struck = m_struck[slot(channel, key)];
                while (!struck.empty()) {
                    add(struck.pop(), endSeconds, key);
                }
                endAll(m_held[slot(channel, key)], key, endSeconds);
            }
        }
    }

private:
    void release(std::size_t channel, std::size_t key, double seconds) {
        auto& struck = m_struck[slot(channel, key)];
        if (struck.empty()) {
            return; // a note-off without its note-on ends nothing
        }
        const double start = struck.pop();
        if (m_pedalDown[channel]) {
            m_held[slot(channel, key)].push_back(start);
        } else {
            add(start, seconds, key);
        }
    }

    void pedal(std::size_t channel, bool down, double seconds) {
        m_pedalDown[channel] = down;
        if (down) {
            return;
        }
        for (std::size_t key = 0; key < kKeys; ++key) {
            endAll(m_held[slot(channel, key)], key, seconds);
        }
    }

    void endAll(std::vector<double>& starts, std::size_t key, double seconds) {
        for (double start : starts) {
            add(start, seconds, key);
        }
        starts.clear();
    }

    static std::size_t slot(std::size_t channel, std::size_t key) { return channel * kKeys + key; }

    void add(double start, double end, std::size_t key) {
        m_notes.push_back({start, end, static_cast<int>(key)});
    }

    std::vector<TimedNote>& m_notes;
    // The start times of the notes struck and not yet released, and of those released under
    // the pedal, for each channel and key (slot()); the earliest first.
    std::vector<StartQueue> m_struck;
    std::vector<std::vector<double>> m_held;
    std::array<bool, kChannels> m_pedalDown{};
};

double endOf(const Piece& piece) {
    const double lastEvent = piece.events.empty() ? 0.0 : piece.events.back().seconds;
    return piece.lengthSeconds > lastEvent ? piece.lengthSeconds : lastEvent;
}

} // namespace

std::vector<TimedNote> soundingNotes(const Piece& piece) {
    std::vector<TimedNote> notes;
    NotePairing pairing(notes);
    for (const PieceEvent& event : piece.events) {
        pairing.apply(event);
    }
    pairing.finish(endOf(piece));
    return notes;
}

PieceTriads pieceTriads(const Piece& piece) {
    PieceTriads triads;
    triads.spans = triadSpans(soundingNotes(piece));
    // Every note ends by the piece's end, so the piece's own length is the whole.
    triads.times = triadTimes(triads.spans, endOf(piece));
    return triads;
}

TriadTimes triadTimes(const Piece& piece) {
    return pieceTriads(piece).times;
}

} // namespace klangora::music
