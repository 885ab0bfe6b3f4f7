#pragma once

// Selecting a tone in the diagram: the selected mark's wide outline, the tone's name and number
// in red, and the keyboard focus on its hidden slider, whose arrow keys then move the tone.
#include <QObject>

#include <array>
#include <functional>

class QLabel;
class QWidget;
class ReadoutPanel;
class ToneSlider;
class TriadDiagram;

class ToneSelection : public QObject {
    Q_OBJECT

public:
    static constexpr int kSelectedPenWidth = 5;
    static constexpr int kNormalPenWidth = 3;

    ToneSelection(QWidget& window, TriadDiagram& diagram, ReadoutPanel& panel);

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
    // Every mark in its plain outline, every name and number in the plain colour.
    void nodetykkelse();
    // Puts a selection back after a readout-mode change or a rearrangement has cleared it.
    void focus();
    // No mark selected, and the hint says how to select one.
    void clear();

    // Ctrl + arrow keys: select the mark beside, above or below the selected one on screen, in
    // the arrangement the query tells.
    void setArrangementQuery(std::function<bool()> inFifths) { m_inFifths = std::move(inFifths); }

private:
    void moveKeyboardSelection(int columnStep, int rowStep);
    void markSelected(int column, int row);
    void showFixedCMessage();

    TriadDiagram& m_diagram;
    ReadoutPanel& m_panel;
    QLabel* m_hint;
    std::array<ToneSlider*, 13> m_sliders{}; // slider number 2..12
    std::function<bool()> m_inFifths;
    int m_column;
    int m_row = 1;
};
