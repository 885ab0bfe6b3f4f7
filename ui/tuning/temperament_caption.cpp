// The temperament caption lbStemning, and where each temperament's name stands.
#include "ui/tuning/temperament_caption.h"

#include "ui/texts/fonts.h"
#include "ui/tuning/tuning_name.h"

#include <QFontMetrics>
#include <QLabel>
#include <QWidget>

#include <algorithm>
#include <array>
#include <cstddef>

namespace {

// A long name keeps this much room to the window's right edge.
constexpr int kCaptionMargin = 8;

// The left edge of each temperament's name, in the order of the buttons: each is set so that
// the name stands roughly centred over the sound buttons.
constexpr std::array<int, 7> kPresetCaptionLefts = {664, 706, 670, 680, 694, 694, 654};

// A built-in name too long for the caption's size shrinks down to this, then takes two lines.
constexpr int kSmallestPointSize = 10;
constexpr int kCaptionPointSize = 14;

} // namespace

TemperamentCaption::TemperamentCaption(const Widgets& widgets, const TuningModel& model,
                                       QObject* parent)
    : QObject(parent), m_label(widgets.caption), m_font(widgets.caption->font()) {
    m_label->setTextFormat(Qt::PlainText);
    m_label->setAlignment(Qt::AlignCenter);
    connect(&model, &TuningModel::identityChanged, this, &TemperamentCaption::show);
}

void TemperamentCaption::show(const TuningIdentity& identity) {
    using Kind = TuningIdentity::Kind;
    switch (identity.kind()) {
    case Kind::preset:
        setStemning(tuningName(identity),
                    kPresetCaptionLefts[static_cast<std::size_t>(identity.presetId())]);
        break;
    case Kind::file:
        showCut(tuningName(identity));
        break;
    case Kind::own:
    case Kind::temperament:
        showWhole(tuningName(identity));
        break;
    }
}

int TemperamentCaption::room() const {
    return m_label->parentWidget()->width() - kOwnTuningLeft - kCaptionMargin;
}

void TemperamentCaption::setStemning(const QString& text, int left) {
    if (m_label->font() != m_font) {
        m_label->setFont(m_font);
    }
    m_label->setText(text);
    // A file's long name may have left its whole text in the tooltip and the accessible name.
    m_label->setToolTip({});
    if (!m_label->accessibleName().isEmpty()) {
        m_label->setAccessibleName({});
    }
    fit();
    m_label->move(left, m_label->y());
}

// The label as wide as its text, and a letter that reaches out of its own cell (the Y of
// "Young") as far inside as it reaches out, on either side: the text is then centred.
void TemperamentCaption::fit() {
    m_label->adjustSize();
    const QString text = m_label->text();
    const QFontMetrics metrics(m_label->font());
    const int overhang =
        text.isEmpty()
            ? 0
            : std::max({0, -metrics.leftBearing(text.front()), -metrics.rightBearing(text.back())});
    m_label->resize(m_label->width() + 2 * overhang, m_label->height());
}

void TemperamentCaption::showWhole(const QString& name) {
    setStemning(name, kOwnTuningLeft);
    for (int points = kCaptionPointSize - 1;
         m_label->width() > room() && points >= kSmallestPointSize; --points) {
        fonts::setDesignSize(m_label, points);
        fit();
    }
    if (m_label->width() > room()) {
        // The break goes at the space nearest the middle, so both lines are short.
        const qsizetype middle = name.size() / 2;
        const qsizetype before = name.lastIndexOf(' ', middle);
        const qsizetype after = name.indexOf(' ', middle);
        const qsizetype at =
            before < 0 || (after >= 0 && after - middle < middle - before) ? after : before;
        if (at > 0) {
            m_label->setText(name.left(at) + '\n' + name.mid(at + 1));
            fit();
            m_label->setAccessibleName(name);
        }
    }
}

void TemperamentCaption::showCut(const QString& name) {
    setStemning(name, kOwnTuningLeft);
    if (m_label->width() > room()) {
        m_label->setText(QFontMetrics(m_label->font()).elidedText(name, Qt::ElideRight, room()));
        fit();
        m_label->setToolTip(name);
        m_label->setAccessibleName(name);
    }
}
