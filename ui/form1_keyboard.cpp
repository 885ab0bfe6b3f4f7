// Reaching every mark without a mouse. Ctrl with an arrow key walks the selection through the
// diagram as it stands on screen, column by column and row by row, and selects each mark
// exactly as a press on it does; the plain arrows, Home and End then move its tone. Ctrl is
// needed because the plain keys already belong to the selected tone's slider.
#include "ui/form1.h"

#include "ui/diagram_geometry.h"

#include <QShortcut>

namespace {

int wrapped(int value, int first, int last) {
    const int count = last - first + 1;
    return ((value - first) % count + count) % count + first;
}

} // namespace

void TForm1::buildKeyboardSelection() {
    const auto bind = [this](Qt::Key key, int columnStep, int rowStep) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | key), this);
        connect(shortcut, &QShortcut::activated, this,
                [this, columnStep, rowStep] { moveKeyboardSelection(columnStep, rowStep); });
    };
    bind(Qt::Key_Left, -1, 0);
    bind(Qt::Key_Right, 1, 0);
    bind(Qt::Key_Up, 0, 1); // up the screen: root, third, fifth
    bind(Qt::Key_Down, 0, -1);
}

// Without a selection the walk starts on the c at the bottom left, so the first step lands
// on the mark beside or above it. The four white c's cannot be selected and are stepped over.
void TForm1::moveKeyboardSelection(int columnStep, int rowStep) {
    const bool fifths = inFifthsArrangement();
    int screenColumn = 1;
    int row = 0;
    if (selectedTone != diagram::kNoSelection) {
        screenColumn = diagram::columnOf(selectedTone, fifths);
        row = selectedRow;
    }
    // The arrangement swaps pairs of columns, so the same mapping leads back from screen
    // column to tone.
    int tone = 0;
    do {
        screenColumn = wrapped(screenColumn + columnStep, 1, 13);
        row = wrapped(row + rowStep, 0, 2);
        tone = diagram::columnOf(screenColumn, fifths);
    } while (diagram::isFixedC(diagram::shapeTone(tone, row)));
    knapMouseDown(tone, row);
}
