#pragma once

// The readout panel: the note names, one number per tone (frequency, cents or the deviation of
// its third or fifth from pure) and the four buttons that choose which.
#include "ui/model/tuning_model.h"
#include "ui/texts/descriptions.h"

#include <QObject>
#include <QString>

#include <array>

class QButtonGroup;
class QColor;
class QLabel;
class QRadioButton;
class QWidget;

class ReadoutPanel : public QObject {
    Q_OBJECT

public:
    ReadoutPanel(QWidget& window, const TuningModel& model);

    QLabel* readout(int tone) const { return m_readouts[tone]; }
    QLabel* noteName(int tone) const { return m_noteNames[tone]; }

    // Rewrites all thirteen numbers in the chosen mode, and their accessible names.
    void opdaterLabel();
    // A tone's readout and note name centred on a screen column.
    void placeInColumn(int tone, int column);
    // The selected tone's name and number in red; every other in the window's text colour.
    void highlightTone(int tone);
    void clearHighlights();

signals:
    // Another readout mode was chosen; the numbers already show it.
    void modeChosen();

private:
    descriptions::ReadoutMode mode() const;
    void nameReadouts();

    std::array<QLabel*, 14> m_readouts{};
    std::array<QLabel*, 14> m_noteNames{};
    QRadioButton* m_thirds;
    QRadioButton* m_fifths;
    QRadioButton* m_cents;
    const TuningModel& m_model;
    // What the readouts' names were last written from; a readout's number is never empty, so
    // the first refresh names them all.
    descriptions::ReadoutMode m_namedMode = descriptions::ReadoutMode::frequency;
    std::array<QString, 14> m_namedNumbers;
};
