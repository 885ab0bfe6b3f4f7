#pragma once

// Selecting a tone in the diagram, and moving it: the selected mark's wide outline, the tone's
// name and number in red, and the keyboard focus on its hidden slider, whose keys then move
// the tone. The sliders write every move into the model and show every retuning it hears of.
#include "ui/model/tuning_model.h"

#include <QObject>
#include <QStringList>

#include <array>

class QLabel;
class ToneSlider;

class ToneSelection : public QObject {
    Q_OBJECT

public:
    struct Widgets {
        std::array<ToneSlider*, 13> sliders{}; // slider number 2..12
        QLabel* hint = nullptr;                // plFlytMedPil
    };
    ToneSelection(const Widgets& widgets, TuningModel& model, QObject* parent);

    int selectedTone() const { return m_column; } // column of the selected mark, 14 = none
    int selectedRow() const { return m_row; }
    bool hasSelection() const;
    // The tone number (1..13) the selected mark stands for; 0 when none is selected.
    int selectedToneNumber() const;
    // Whether a mark is selected and stands for this tone number.
    bool isSelectedTone(int tone) const;

    // A press on the mark of a column and row.
    void knapMouseDown(int column, int row);
    // A right-click on the fifth above C, after its press has selected it.
    void knap12ContextPopup();
    // Every mark in its plain outline, every name and number in the plain colour; the
    // selection itself stays.
    void nodetykkelse();
    // Puts a selection back after a readout-mode change or a rearrangement has cleared it.
    void focus();
    // No mark selected, and the hint says how to select one.
    void clear();
    // Ctrl + arrow keys walk the marks as they stand in this arrangement.
    void setArrangement(bool fifths);
    // The hint's tooltip: the keys, and the MIDI inputs that play the instrument.
    void describeMidiInputs(const QStringList& inputs);
    // The same, in the interface's language now.
    void describeAgain() { describeMidiInputs(m_midiInputs); }
    // Where the sound goes and how late, as the hint's last line.
    void describeSoundSystem(const QString& line) {
        m_soundSystem = line;
        describeAgain();
    }

signals:
    // The mark of a column and row is to be shown selected; its tone is tone.
    void marked(int column, int row, int tone);
    // No mark is to be shown selected.
    void unmarked();

private:
    void moveKeyboardSelection(int columnStep, int rowStep);
    void followTuning(ToneMask changed);
    void showFixedCMessage();

    TuningModel& m_model;
    std::array<ToneSlider*, 13> m_sliders;
    QLabel* m_hint;
    QStringList m_midiInputs;
    QString m_soundSystem;
    bool m_fifths = false;
    int m_column;
    int m_row = 1;
};
