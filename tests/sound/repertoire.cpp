#include "repertoire.h"

#include "sound/chorales.h"
#include "sound/chord_player.h"
#include "support/tuned_table.h"

namespace klangora {

namespace {

constexpr int kTriadMs = 2000;

// The first triad keeps the tempered root and puts a pure third (5/4) and fifth (3/2) on it,
// written into the table the way the sequencer does: multiplied first, then divided.
RepertoireChord pureTriad(ToneTable table, int root, const std::string& label) {
    const double rootHz = table.freqTable[freqSlot(root)];
    table.freqTable[freqSlot(root + 4)] = rootHz * 5 / 4;
    table.freqTable[freqSlot(root + 7)] = rootHz * 3 / 2;
    return {label + " pure triad",
            {toneFrequencyHz(table, root), toneFrequencyHz(table, root + 4),
             toneFrequencyHz(table, root + 7)},
            kTriadMs};
}

RepertoireChord temperedTriad(const ToneTable& table, int root, const std::string& label) {
    return {label + " tempered triad",
            {toneFrequencyHz(table, root), toneFrequencyHz(table, root + 4),
             toneFrequencyHz(table, root + 7)},
            kTriadMs};
}

void addChorale(std::vector<RepertoireChord>& out, const ToneTable& table, int root,
                const std::array<ChoraleChord, 7>& chords, const std::string& label) {
    for (std::size_t n = 0; n < chords.size(); ++n) {
        const auto hz = choraleChordHz(table, root, chords[n]);
        out.push_back({label + " chord " + std::to_string(n + 1),
                       std::vector<double>(hz.begin(), hz.end()), chords[n].durationMs});
    }
}

} // namespace

std::vector<RepertoireChord> chordsForKey(const ToneTable& table, int selectedKey,
                                          const std::string& tuningName) {
    const int root = rootToneNumber(selectedKey);
    const std::string label = tuningName + " key " + std::to_string(selectedKey);
    std::vector<RepertoireChord> chords = {pureTriad(table, root, label),
                                           temperedTriad(table, root, label)};
    addChorale(chords, table, root, kChoraleChords, label + " chorale");
    addChorale(chords, table, root, kJazzChoraleChords, label + " jazz chorale");
    return chords;
}

std::vector<RepertoireChord> wholeRepertoire() {
    std::vector<RepertoireChord> all;
    for (PresetId preset : kAllPresets) {
        const ToneTable table = test_support::tunedTo(preset);
        const std::string name(presetInfo(preset).id);
        for (int key = 1; key <= 13; ++key) {
            const auto chords = chordsForKey(table, key, name);
            all.insert(all.end(), chords.begin(), chords.end());
        }
    }
    return all;
}

} // namespace klangora
