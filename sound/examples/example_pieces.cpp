#include "sound/examples/example_pieces.h"

#include "core/music/triad_analysis.h"
#include "sound/chorales.h"

#include <array>
#include <cstddef>

namespace klangora::music {

namespace {

// The program's names of the keys, C .. H, and their ASCII spellings for file names (the
// Danish way: cis, es, b for Bb, h).
constexpr std::array<const char*, 12> kKeyNames = {"C",  "C#", "D",  "Eb", "E",  "F",
                                                   "F#", "G",  "G#", "A",  "Bb", "H"};
constexpr std::array<const char*, 12> kKeySlugs = {"c",   "cis", "d",   "es", "e", "f",
                                                   "fis", "g",   "gis", "a",  "b", "h"};

using Voicing = std::array<int, kExampleVoiceCount>; // semitones, soprano first

void addChord(ExamplePiece& piece, std::uint32_t startTick, std::uint32_t endTick,
              const Voicing& keys) {
    for (int voice = 0; voice < kExampleVoiceCount; ++voice) {
        piece.notes.push_back({startTick, endTick, voice, keys[static_cast<std::size_t>(voice)]});
    }
}

Voicing transposed(const Voicing& voicing, int semitones) {
    Voicing keys = voicing;
    for (int& key : keys) {
        key += semitones;
    }
    return keys;
}

// The cadence in C, bass on the c below the fixed c: I (C3 G3 E4 C5), IV (F2 A3 F4 C5, the C
// held in the soprano), V (G2 G3 D4 H4), I again, the leading tone rising to the tonic.
constexpr std::array<Voicing, 4> kCadenceInC = {{
    {72, 64, 55, 48},
    {72, 65, 57, 41},
    {71, 62, 55, 43},
    {72, 64, 55, 48},
}};
constexpr std::array<int, 4> kCadenceQuarters = {1, 1, 1, 2};
constexpr int kRestQuarters = 1; // between two keys

// Each key is moved by -5..+6 semitones from C, so that every voice stays in its range.
int cadenceTransposition(int pitchClass) {
    return pitchClass > 6 ? pitchClass - 12 : pitchClass;
}

// Both chorales, chord by chord, as the sound buttons sound them.
template <typename Chords>
ExamplePiece choraleIn(ExampleGroup group, int keyButton, const Chords& chords,
                       const std::string& name, const std::string& slug) {
    const int root = keyButton % 12; // the buttons' root number: H is 0, the h below c
    ExamplePiece piece{group,
                       slug + "-" + kKeySlugs[static_cast<std::size_t>(keyButton - 1)] + "-dur.mid",
                       name + " i " + kKeyNames[static_cast<std::size_t>(keyButton - 1)] + "-dur",
                       {},
                       keyButton};
    int startMs = 0;
    for (const auto& chord : chords) {
        Voicing keys{};
        for (std::size_t v = 0; v < keys.size(); ++v) {
            keys[v] = 59 + root + chord.voices[v];
        }
        addChord(piece, exampleTick(startMs), exampleTick(startMs + chord.durationMs), keys);
        startMs += chord.durationMs;
    }
    return piece;
}

} // namespace

ExamplePiece circleOfFifthsCadence() {
    ExamplePiece piece{ExampleGroup::cadence,
                       "kadence-kvintcirklen.mid",
                       "Kadence I–IV–V–I i alle dur-tonearter, rundt i kvintcirklen",
                       {}};
    std::uint32_t tick = 0;
    const auto quarter = static_cast<std::uint32_t>(kExampleTicksPerQuarter);
    for (int key : kFifthsRoots) {
        for (std::size_t c = 0; c < kCadenceInC.size(); ++c) {
            const std::uint32_t end = tick + kCadenceQuarters[c] * quarter;
            addChord(piece, tick, end, transposed(kCadenceInC[c], cadenceTransposition(key)));
            tick = end;
        }
        tick += kRestQuarters * quarter;
    }
    return piece;
}

ExamplePiece chorale(int keyButton) {
    return choraleIn(ExampleGroup::chorale, keyButton, kChoraleChords, "Koral", "koral");
}

ExamplePiece jazzChorale(int keyButton) {
    return choraleIn(ExampleGroup::jazzChorale, keyButton, kJazzChoraleChords, "Jazz-koral",
                     "jazzkoral");
}

std::vector<ExamplePiece> allExamplePieces() {
    std::vector<ExamplePiece> pieces{circleOfFifthsCadence()};
    for (int key = 1; key <= 12; ++key) {
        pieces.push_back(chorale(key));
    }
    for (int key = 1; key <= 12; ++key) {
        pieces.push_back(jazzChorale(key));
    }
    return pieces;
}

} // namespace klangora::music
