#include "ui/model/concealed_tone.h"

#include <algorithm>

namespace {

// Semitones from the root to the upper tone of a row's interval: a major third, a fifth.
constexpr int kThirdSemitones = 4;
constexpr int kFifthSemitones = 7;
constexpr int kOctave = 12;
constexpr int kUpperCColumn = 13;

int below(int tone, int semitones) {
    return (tone - semitones + kOctave) % kOctave;
}

} // namespace

void ConcealedTone::conceal(int tone) {
    m_tone = tone;
    emit changed();
}

void ConcealedTone::reveal() {
    if (m_tone) {
        m_tone.reset();
        emit changed();
    }
}

bool ConcealedTone::inTriad(int root) const {
    return m_tone && (*m_tone == root || *m_tone == (root + kThirdSemitones) % kOctave ||
                      *m_tone == (root + kFifthSemitones) % kOctave);
}

namespace concealment {

std::vector<int> columnsTelling(int tone, int row) {
    std::vector<int> roots{tone};
    if (row == 1) {
        roots.push_back(below(tone, kThirdSemitones));
    } else if (row == 2) {
        roots.push_back(below(tone, kFifthSemitones));
    }
    std::vector<int> columns;
    for (const int root : roots) {
        columns.push_back(root + 1);
        if (root == 0) {
            columns.push_back(kUpperCColumn);
        }
    }
    std::sort(columns.begin(), columns.end());
    columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
    return columns;
}

} // namespace concealment
