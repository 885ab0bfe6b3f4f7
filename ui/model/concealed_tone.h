#pragma once

// The tone an exercise keeps out of sight while the learner tunes it by ear. Every view that
// could give its pitch away follows it: the readouts, the diagram's marks and bars and the
// music window's triads hide whatever holds the tone, so that only the ear can tell where it is.
#include <QObject>

#include <optional>
#include <vector>

class ConcealedTone : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // tone: 0 = c .. 11 = h.
    void conceal(int tone);
    void reveal();
    std::optional<int> tone() const { return m_tone; }

    // The major triad on this root (0..11) sounds the concealed tone.
    bool inTriad(int root) const;

signals:
    void changed();

private:
    std::optional<int> m_tone;
};

namespace concealment {

// The columns (tone numbers 1..13) whose mark of this row tells something of the tone
// (0..11): row 0 the tone's own column (its pitch), row 1 the major thirds that sound it (as
// root or third), row 2 the fifths that sound it (as root or fifth). c's column brings c' with it,
// whose third and fifth repeat c's.
std::vector<int> columnsTelling(int tone, int row);

} // namespace concealment
