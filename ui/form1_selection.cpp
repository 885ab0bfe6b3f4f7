// Selecting a tone in the diagram, which hands the arrow keys to its slider, and choosing the
// key that the sound buttons play in.
#include "ui/form1.h"

#include "ui/diagram_geometry.h"
#include "ui/fonts.h"
#include "ui/message_box.h"
#include "ui/palette.h"
#include "ui/shape.h"
#include "ui/tone_slider.h"

#include <QLabel>
#include <QRadioButton>

namespace {

void setLabelSize(QLabel* label, int pointSize, int top) {
    fonts::setDesignSize(label, pointSize);
    label->adjustSize();
    label->move(label->x(), top);
}

} // namespace

void TForm1::knapMouseDown(int column, int row) {
    const int tone = diagram::shapeTone(column, row);
    if (tone == 1 || tone == 13) {
        showFixedCMessage();
        return;
    }
    nodetykkelse();
    selectedTone = column;
    selectedRow = row;
    markSelected(column, row);
    toneSliders[tone]->setFocus();
    highlightTone(tone);
    plFlytMedPil->setText(arrowHintText);
    fonts::setDesignSize(plFlytMedPil, 12);
}

// A right-click on the fifth above C (the G) arrives after its press has selected it; the
// selection stays as the press made it, the red labels of G included.
void TForm1::knap12ContextPopup() {
    nodetykkelse();
    selectedTone = 1;
    selectedRow = 2;
    focus();
}

void TForm1::highlightTone(int tone) {
    setTextColour(noteNameLabels[tone], colours::red);
    setTextColour(readoutLabels[tone], colours::red);
}

bool TForm1::isSelectedTone(int tone) const {
    return selectedTone != diagram::kNoSelection &&
           diagram::shapeTone(selectedTone, selectedRow) == tone;
}

void TForm1::showFixedCMessage() {
    showMessage("Den hvide er tonen C, og det er den vi stemmer ud fra. Det er den eneste tone "
                "du IKKE kan flytte.");
}

// Puts a selection back after a readout-mode change or a rearrangement has cleared it.
void TForm1::focus() {
    if (selectedTone == diagram::kNoSelection) {
        return;
    }
    const int tone = diagram::shapeTone(selectedTone, selectedRow);
    toneSliders[tone]->setFocus();
    highlightTone(tone);
    markSelected(selectedTone, selectedRow);
}

void TForm1::markSelected(int column, int row) {
    toneShapes[column][row]->setPenWidth(selectedPenWidth);
    toneShapes[column][row]->setChecked(true);
}

void TForm1::tonemark() {
    selectedTone = diagram::kNoSelection;
    nodetykkelse();
    plFlytMedPil->setText(clickHintText);
    fonts::setDesignSize(plFlytMedPil, 8);
    const int key = scanKeyButtons();
    if (key != 0) {
        selectedKey = key;
    }
    for (int n = 1; n <= 13; ++n) {
        setLabelSize(noteNameLabels[n], 12, 15);
    }
    if (selectedKey >= 1 && selectedKey <= 13) {
        setLabelSize(noteNameLabels[selectedKey], 14, 13);
    }
}

// The last checked key button wins; 0 when none is checked.
int TForm1::scanKeyButtons() const {
    int key = 0;
    for (int n = 1; n <= 13; ++n) {
        if (keyButtons[n]->isChecked()) {
            key = n;
        }
    }
    return key;
}

void TForm1::spClick(int) {
    tonemark();
}
