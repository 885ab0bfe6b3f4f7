#include "core/music/triad_analysis.h"

#include "core/readings.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace klangora::music {

namespace {

// A note begins or ends: the sweep counts the sounding notes of each pitch class.
struct Edge {
    double seconds;
    int pitchClass;
    int change; // +1 a note begins, -1 one ends
};

std::vector<Edge> edgesOf(std::span<const TimedNote> notes) {
    std::vector<Edge> edges;
    edges.reserve(notes.size() * 2);
    for (const TimedNote& note : notes) {
        if (note.endSeconds > note.startSeconds) { // a note of no length sounds nowhere
            edges.push_back({note.startSeconds, pitchClass(note.key), +1});
            edges.push_back({note.endSeconds, pitchClass(note.key), -1});
        }
    }
    std::sort(edges.begin(), edges.end(),
              [](const Edge& a, const Edge& b) { return a.seconds < b.seconds; });
    return edges;
}

bool triadSounds(const std::array<int, 12>& sounding, int root) {
    const auto at = [&sounding, root](int semitones) {
        return sounding[static_cast<std::size_t>((root + semitones) % 12)] > 0;
    };
    return at(0) && at(4) && at(7);
}

} // namespace

double TriadTimes::share(int root) const {
    return pieceSeconds > 0.0 ? seconds[static_cast<std::size_t>(root)] / pieceSeconds : 0.0;
}

TriadTimes triadTimes(std::span<const TimedNote> notes, double pieceSeconds) {
    TriadTimes times;
    times.pieceSeconds = pieceSeconds;
    std::array<int, 12> sounding{};
    const std::vector<Edge> edges = edgesOf(notes);
    // Between two neighbouring edges the same tones sound; the span counts for every triad
    // they hold. Edges at one instant all apply before the next span is counted.
    for (std::size_t e = 0; e < edges.size(); ++e) {
        sounding[static_cast<std::size_t>(edges[e].pitchClass)] += edges[e].change;
        if (e + 1 == edges.size()) {
            break;
        }
        const double span = edges[e + 1].seconds - edges[e].seconds;
        for (int root = 0; root < 12 && span > 0.0; ++root) {
            if (triadSounds(sounding, root)) {
                times.seconds[static_cast<std::size_t>(root)] += span;
            }
        }
    }
    if (!edges.empty()) {
        times.pieceSeconds = std::max(pieceSeconds, edges.back().seconds);
    }
    return times;
}

TriadDeviation triadDeviation(const ToneTable& tuning, int root) {
    const auto cents = [&tuning](int index) {
        return tuning.toneCents[static_cast<std::size_t>(index)];
    };
    // The intervals in double, as the tone table derives its thirds and fifths, so that they
    // round exactly as the readout panel's numbers do.
    const double third = cents(root + 4) - cents(root);
    const double fifth = cents(root + 7) - cents(root);
    return {static_cast<double>(deviationReadout(third, kPureThirdCents)),
            static_cast<double>(deviationReadout(fifth, kPureFifthCents))};
}

} // namespace klangora::music
