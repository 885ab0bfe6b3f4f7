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

TriadMask triadsIn(const std::array<int, 12>& sounding, int thirdSemitones) {
    const auto at = [&sounding](int root, int semitones) {
        return sounding[static_cast<std::size_t>((root + semitones) % 12)] > 0;
    };
    TriadMask roots = 0;
    for (int root = 0; root < 12; ++root) {
        if (at(root, 0) && at(root, thirdSemitones) && at(root, kFifthSemitones)) {
            roots = static_cast<TriadMask>(roots | (1u << root));
        }
    }
    return roots;
}

// The triads of both kinds over a stretch in which these tones sound.
TriadSpan spanOf(double start, double end, const std::array<int, 12>& sounding) {
    return {start, end, triadsIn(sounding, kMajorThirdSemitones),
            triadsIn(sounding, kMinorThirdSemitones)};
}

void appendSpan(std::vector<TriadSpan>& spans, const TriadSpan& span) {
    if ((span.roots == 0 && span.minorRoots == 0) || span.endSeconds <= span.startSeconds) {
        return;
    }
    if (!spans.empty() && spans.back().roots == span.roots &&
        spans.back().minorRoots == span.minorRoots &&
        spans.back().endSeconds == span.startSeconds) {
        spans.back().endSeconds = span.endSeconds;
    } else {
        spans.push_back(span);
    }
}

} // namespace

double TriadTimes::secondsOf(int root, TriadKind kind) const {
    return (kind == TriadKind::major ? seconds : minorSeconds)[static_cast<std::size_t>(root)];
}

double TriadTimes::share(int root, TriadKind kind) const {
    return pieceSeconds > 0.0 ? secondsOf(root, kind) / pieceSeconds : 0.0;
}

std::vector<TriadSpan> triadSpans(std::span<const TimedNote> notes) {
    std::vector<TriadSpan> spans;
    std::array<int, 12> sounding{};
    const std::vector<Edge> edges = edgesOf(notes);
    // Between two neighbouring edges the same tones sound. Edges at one instant all apply
    // before the next stretch begins, since the stretches between them last no time.
    for (std::size_t e = 0; e + 1 < edges.size(); ++e) {
        sounding[static_cast<std::size_t>(edges[e].pitchClass)] += edges[e].change;
        appendSpan(spans, spanOf(edges[e].seconds, edges[e + 1].seconds, sounding));
    }
    return spans;
}

TriadMask triadsSoundingAt(std::span<const TriadSpan> spans, double seconds, TriadKind kind) {
    // The first stretch that ends after the moment; the moment lies in it unless it starts later.
    const auto span =
        std::upper_bound(spans.begin(), spans.end(), seconds,
                         [](double moment, const TriadSpan& s) { return moment < s.endSeconds; });
    return span != spans.end() && span->startSeconds <= seconds ? span->of(kind) : TriadMask{0};
}

TriadTimes triadTimes(std::span<const TriadSpan> spans, double pieceSeconds) {
    TriadTimes times;
    times.pieceSeconds = pieceSeconds;
    for (const TriadSpan& span : spans) {
        const double length = span.endSeconds - span.startSeconds;
        for (int root = 0; root < 12; ++root) {
            const auto at = static_cast<std::size_t>(root);
            times.seconds[at] += ((span.roots >> root) & 1u) ? length : 0.0;
            times.minorSeconds[at] += ((span.minorRoots >> root) & 1u) ? length : 0.0;
        }
    }
    return times;
}

TriadTimes triadTimes(std::span<const TimedNote> notes, double pieceSeconds) {
    double lastEnd = 0.0;
    for (const TimedNote& note : notes) {
        lastEnd = std::max(lastEnd, note.endSeconds);
    }
    return triadTimes(triadSpans(notes), std::max(pieceSeconds, lastEnd));
}

TriadDeviation triadDeviation(const Tuning& tuning, int root, TriadKind kind) {
    // The upper octave as the tone table forms it: the tone's cents plus 1200.
    const auto cents = [&tuning](int index) {
        return index < 12 ? tuning.cents(index) : tuning.cents(index - 12) + 1200.0;
    };
    // The intervals in double, as the tone table derives its thirds and fifths, so that they
    // round exactly as the readout panel's numbers do.
    const bool major = kind == TriadKind::major;
    const double third =
        cents(root + (major ? kMajorThirdSemitones : kMinorThirdSemitones)) - cents(root);
    const double fifth = cents(root + kFifthSemitones) - cents(root);
    return {static_cast<double>(
                deviationReadout(third, major ? kPureThirdCents : kPureMinorThirdCents)),
            static_cast<double>(deviationReadout(fifth, kPureFifthCents))};
}

} // namespace klangora::music
