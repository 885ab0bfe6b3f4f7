#pragma once

// The readout panel: the note names, one number per tone (frequency, cents or the deviation of
// its third or fifth from pure) and the four buttons that choose which.
#include "ui/model/descriptions.h"
#include "ui/model/tuning_model.h"

#include <QObject>
#include <QString>

#include <array>
#include <vector>

class ConcealedTone;
class QButtonGroup;
class QColor;
class QLabel;
class QRadioButton;
class QWidget;

class ReadoutPanel : public QObject {
    Q_OBJECT

public:
    struct Widgets {
        QWidget* frame = nullptr;            // Panel1, the parent of the rest
        std::array<QLabel*, 14> readouts{};  // by tone number 1..13
        std::array<QLabel*, 14> noteNames{}; // by tone number 1..13
        QRadioButton* frequency = nullptr;
        QRadioButton* cents = nullptr;
        QRadioButton* thirds = nullptr;
        QRadioButton* fifths = nullptr;
        QButtonGroup* modes = nullptr;
    };
    // Shows the model's tuning from the start.
    ReadoutPanel(const Widgets& widgets, const TuningModel& model, QObject* parent);

    // Rewrites all thirteen numbers in the chosen mode, and their accessible names.
    void opdaterLabel();
    // A tone's readout and note name centred under x (window pixels).
    void centreTone(int tone, int centreX);
    // The selected tone's name and number in red; every other in the window's text colour.
    void highlightTone(int tone);
    void clearHighlights();
    // The readouts' names for the screen reader written anew, in the interface's language.
    void nameReadoutsAnew();
    // The note names of the sounding tones on a light background.
    void lightTones(const std::array<bool, 14>& lit);
    // While a tone is concealed, the readouts that would tell its pitch in the chosen mode (its
    // own frequency or cents, the thirds or fifths that sound it) are out of sight.
    void followConcealment(const ConcealedTone& concealed);

signals:
    // Another readout mode was chosen; the numbers already show it.
    void modeChosen();
    // The left mouse button went down on a note name, and up again.
    void noteNamePressed(int tone);
    void noteNameReleased();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    descriptions::ReadoutMode mode() const;
    void nameReadouts();
    // The key's note name larger than the others.
    void markKey(int key);
    // The readouts (tone numbers) that would tell the concealed tone's pitch in the chosen mode.
    std::vector<int> concealedReadouts() const;
    void hideConcealed();

    Widgets m_widgets;
    const TuningModel& m_model;
    const ConcealedTone* m_concealed = nullptr;
    std::array<bool, 14> m_lit{};
    // What the readouts' names were last written from; a readout's number is never empty, so
    // the first refresh names them all.
    descriptions::ReadoutMode m_namedMode = descriptions::ReadoutMode::frequency;
    std::array<QString, 14> m_namedNumbers;
};
