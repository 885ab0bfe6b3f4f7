#pragma once

// A passage on repeat in the music window, for comparing one cadence in one tuning after
// another: "Sæt A" and "Sæt B" (Alt+A, Alt+B) mark the playing position, or Shift and a drag on
// the position slider marks the passage dragged over; from then on the piece goes back to A
// each time it reaches B, retuned as it plays, until "Gentag ikke" (Alt+G) or another piece.
#include <QObject>

#include <optional>

namespace klangora {
class PiecePlayer;
}
class MusicWindow;
class QLabel;
class QSlider;

class PassageRepeat : public QObject {
    Q_OBJECT

public:
    PassageRepeat(MusicWindow& window, klangora::PiecePlayer& player);

    void setA();
    void setB();
    // A passage from its two ends, in either order.
    void repeat(double fromSeconds, double toSeconds);
    void stop();

    std::optional<double> a() const { return m_a; }
    std::optional<double> b() const { return m_b; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    double position() const;
    double secondsAt(int x) const;
    void start();
    void show();

    MusicWindow& m_window;
    klangora::PiecePlayer& m_player;
    QSlider* m_slider;
    QLabel* m_shown = nullptr;
    std::optional<double> m_a;
    std::optional<double> m_b;
    std::optional<double> m_dragFrom; // Shift held down on the slider here
};
