#pragma once

// The key the sound buttons play in: thirteen key buttons under the diagram, and the key's note
// name written larger in the readout panel.
#include <QObject>

#include <array>

class QRadioButton;
class QWidget;
class ReadoutPanel;
class ToneSelection;

class KeyMarking : public QObject {
    Q_OBJECT

public:
    KeyMarking(QWidget& window, ToneSelection& selection, ReadoutPanel& panel);

    int selectedKey() const { return m_selectedKey; } // tone number of the checked key button
    void setSelectedKey(int key) { m_selectedKey = key; }
    // The last checked key button wins; 0 when none is checked.
    int scanKeyButtons() const;

    // Clears the tone selection and marks the checked key.
    void tonemark();
    // A key button of a tone number, under the note name of a screen column.
    void placeUnder(int tone, int column, int nameWidth);

private:
    ToneSelection& m_selection;
    ReadoutPanel& m_panel;
    std::array<QRadioButton*, 14> m_keyButtons{};
    int m_selectedKey = 0;
};
