// The key buttons, and the model's key they choose.
#include "ui/selection/key_marking.h"

#include "core/rounding.h"
#include "ui/model/tuning_model.h"

#include <QLabel>
#include <QRadioButton>

namespace {

// A key button stands this far right of its note name's centre, under the root mark.
constexpr int kKeyButtonShift = 4;

} // namespace

KeyMarking::KeyMarking(const Widgets& widgets, TuningModel& model, QObject* parent)
    : QObject(parent), m_widgets(widgets), m_model(model) {
    for (int n = 1; n <= 13; ++n) {
        connect(m_widgets.keys[n], &QRadioButton::toggled, this, [this](bool on) {
            if (on) {
                tonemark();
            }
        });
    }
}

int KeyMarking::checkedKey() const {
    int key = 0;
    for (int n = 1; n <= 13; ++n) {
        if (m_widgets.keys[n]->isChecked()) {
            key = n;
        }
    }
    return key;
}

void KeyMarking::tonemark() {
    emit marking();
    const int key = checkedKey();
    if (key != 0) {
        m_model.setKey(key);
    }
}

void KeyMarking::centreTone(int tone, int centreX) {
    const int nameWidth = m_widgets.noteNames[tone]->width();
    const int left =
        static_cast<int>(klangora::roundHalfEven(centreX + kKeyButtonShift - nameWidth / 2.0L));
    m_widgets.keys[tone]->move(left, kKeyButtonTop);
}
