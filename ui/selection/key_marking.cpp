// The key buttons and the key's note name, larger than the others.
#include "ui/selection/key_marking.h"

#include "core/rounding.h"
#include "ui/diagram/diagram_geometry.h"
#include "ui/panel/readout_panel.h"
#include "ui/selection/tone_selection.h"
#include "ui/texts/control_names.h"
#include "ui/texts/fonts.h"

#include <QLabel>
#include <QRadioButton>
#include <QWidget>

using namespace diagram;

namespace {

// Note names in the panel, and the key's name two pixels higher in a larger font.
constexpr int kNamePointSize = 12;
constexpr int kKeyNamePointSize = 14;
constexpr int kKeyNameTop = kNoteNameTop - 2;

void setLabelSize(QLabel* label, int pointSize, int top) {
    fonts::setDesignSize(label, pointSize);
    label->adjustSize();
    label->move(label->x(), top);
}

} // namespace

KeyMarking::KeyMarking(QWidget& window, ToneSelection& selection, ReadoutPanel& panel)
    : QObject(&window), m_selection(selection), m_panel(panel) {
    for (int n = 1; n <= 13; ++n) {
        m_keyButtons[n] = window.findChild<QRadioButton*>(controls::keyName(n));
        connect(m_keyButtons[n], &QRadioButton::toggled, this, [this](bool on) {
            if (on) {
                tonemark();
            }
        });
    }
}

int KeyMarking::scanKeyButtons() const {
    int key = 0;
    for (int n = 1; n <= 13; ++n) {
        if (m_keyButtons[n]->isChecked()) {
            key = n;
        }
    }
    return key;
}

void KeyMarking::tonemark() {
    m_selection.clear();
    const int key = scanKeyButtons();
    if (key != 0) {
        m_selectedKey = key;
    }
    for (int n = 1; n <= 13; ++n) {
        setLabelSize(m_panel.noteName(n), kNamePointSize, kNoteNameTop);
    }
    if (m_selectedKey >= 1 && m_selectedKey <= 13) {
        setLabelSize(m_panel.noteName(m_selectedKey), kKeyNamePointSize, kKeyNameTop);
    }
}

void KeyMarking::placeUnder(int tone, int column, int nameWidth) {
    const int left = static_cast<int>(klangora::roundHalfEven(columnLine(column) + kKeyButtonShift -
                                                              nameWidth / 2.0L)) -
                     kPanelLeft;
    m_keyButtons[tone]->move(left, kKeyButtonTop);
}
