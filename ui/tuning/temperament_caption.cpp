// The temperament caption lbStemning, and where each temperament's name stands.
#include "ui/tuning/temperament_caption.h"

#include <QFontMetrics>
#include <QLabel>
#include <QWidget>

#include <array>
#include <cstddef>

namespace {

// A long description keeps this much room to the window's right edge.
constexpr int kCaptionMargin = 8;

// The left edge of each temperament's name, in the order of the buttons: each is set so that
// the name stands roughly centred over the sound buttons.
constexpr std::array<int, 7> kPresetCaptionLefts = {664, 706, 670, 680, 694, 694, 654};

} // namespace

TemperamentCaption::TemperamentCaption(QWidget& window, const TuningModel& model)
    : QObject(&window), m_window(window), m_label(window.findChild<QLabel*>("lbStemning")) {
    connect(&model, &TuningModel::tonesChanged, this,
            [this] { setStemning("Din Egen Stemning!", kOwnTuningLeft); });
}

void TemperamentCaption::setStemning(const QString& text, int left) {
    m_label->setText(text);
    // A file's long name may have left its whole text in the tooltip and the accessible name.
    m_label->setToolTip({});
    if (!m_label->accessibleName().isEmpty()) {
        m_label->setAccessibleName({});
    }
    m_label->adjustSize();
    m_label->move(left, m_label->y());
}

void TemperamentCaption::nameTemperament(klangora::PresetId id) {
    setStemning(QString::fromUtf8(klangora::presetInfo(id).stemningText),
                kPresetCaptionLefts[static_cast<std::size_t>(id)]);
}

void TemperamentCaption::showTuningName(const QString& name) {
    m_label->setTextFormat(Qt::PlainText);
    setStemning(name, kOwnTuningLeft);
    const int room = m_window.width() - kOwnTuningLeft - kCaptionMargin;
    if (m_label->width() > room) {
        m_label->setText(QFontMetrics(m_label->font()).elidedText(name, Qt::ElideRight, room));
        m_label->adjustSize();
        m_label->setToolTip(name);
        m_label->setAccessibleName(name);
    }
}

QString TemperamentCaption::text() const {
    return m_label->toolTip().isEmpty() ? m_label->text() : m_label->toolTip();
}
