#include "ui/music/passage_repeat.h"

#include "sound/music/piece_player.h"
#include "ui/music/music_window.h"
#include "ui/texts/language_follower.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

#include <cmath>
#include <utility>

namespace {

// The slider counts tenths of a second, as the music window shows the position.
constexpr double kSliderStepsPerSecond = 10;

QString text(const char* danish) {
    return QCoreApplication::translate("PassageRepeat", danish);
}

QPushButton* makeButton(QWidget& parent, const char* name, const char* label) {
    auto* button = new QPushButton(&parent);
    button->setObjectName(name);
    const auto tell = [button, label] { button->setText(text(label)); };
    tell();
    followLanguage(parent, *button, tell);
    return button;
}

} // namespace

PassageRepeat::PassageRepeat(MusicWindow& window, klangora::PiecePlayer& player)
    : QObject(&window), m_window(window), m_player(player),
      m_slider(window.findChild<QSlider*>("musicPosition")) {
    auto* row = new QWidget(&window);
    row->setObjectName("passageRow");
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    QPushButton* setA =
        makeButton(window, "passageA", QT_TRANSLATE_NOOP("PassageRepeat", "Sæt &A"));
    QPushButton* setB =
        makeButton(window, "passageB", QT_TRANSLATE_NOOP("PassageRepeat", "Sæt &B"));
    QPushButton* off =
        makeButton(window, "passageOff", QT_TRANSLATE_NOOP("PassageRepeat", "&Gentag ikke"));
    m_shown = new QLabel(row);
    m_shown->setObjectName("passageShown");
    for (QWidget* widget : {static_cast<QWidget*>(setA), static_cast<QWidget*>(setB),
                            static_cast<QWidget*>(off), static_cast<QWidget*>(m_shown)}) {
        widget->setParent(row);
        layout->addWidget(widget);
    }
    layout->addStretch();
    if (auto* grid = qobject_cast<QGridLayout*>(window.layout())) {
        grid->addWidget(row, grid->rowCount(), 0, 1, grid->columnCount());
    }
    connect(setA, &QPushButton::clicked, this, &PassageRepeat::setA);
    connect(setB, &QPushButton::clicked, this, &PassageRepeat::setB);
    connect(off, &QPushButton::clicked, this, &PassageRepeat::stop);
    // A new piece repeats nothing; the player has forgotten the passage with the old piece.
    connect(&window, &MusicWindow::pieceOpened, this, [this] {
        m_a.reset();
        m_b.reset();
        show();
    });
    followLanguage(window, *this, [this] { show(); });
    if (m_slider != nullptr) {
        m_slider->installEventFilter(this);
    }
    show();
}

double PassageRepeat::position() const {
    // A seek not yet taken up by the audio side: the slider already shows where it goes.
    if (m_player.seekPending() && m_slider != nullptr) {
        return m_slider->value() / kSliderStepsPerSecond;
    }
    return m_player.positionSeconds();
}

void PassageRepeat::setA() {
    if (m_window.piece() == nullptr) {
        return;
    }
    m_a = position();
    if (m_b && *m_b <= *m_a) {
        m_b.reset();
        m_player.stopRepeating();
    }
    start();
}

void PassageRepeat::setB() {
    if (m_window.piece() == nullptr) {
        return;
    }
    const double b = position();
    if (b <= m_a.value_or(0.0)) {
        return; // B before A marks no passage
    }
    m_a = m_a.value_or(0.0);
    m_b = b;
    start();
}

void PassageRepeat::repeat(double fromSeconds, double toSeconds) {
    if (m_window.piece() == nullptr || fromSeconds == toSeconds) {
        return;
    }
    if (toSeconds < fromSeconds) {
        std::swap(fromSeconds, toSeconds);
    }
    m_a = fromSeconds;
    m_b = toSeconds;
    start();
}

void PassageRepeat::stop() {
    m_a.reset();
    m_b.reset();
    m_player.stopRepeating();
    show();
}

void PassageRepeat::start() {
    if (m_a && m_b) {
        m_player.repeatPassage(*m_a, *m_b);
        // The cursor turns back only on reaching B from before it: from outside the passage
        // (B just marked, a block behind the audio side) it starts at A.
        const double now = position();
        if (now >= *m_b || now < *m_a) {
            m_player.seek(*m_a);
        }
    }
    show();
}

void PassageRepeat::show() {
    // "m:ss.t": a passage is marked to the tenth of a second.
    const auto time = [](double seconds) {
        const int tenths = static_cast<int>(std::lround(seconds * 10));
        return QString("%1:%2.%3")
            .arg(tenths / 600)
            .arg(tenths / 10 % 60, 2, 10, QChar('0'))
            .arg(tenths % 10);
    };
    QString shown;
    if (m_a && m_b) {
        shown =
            text(QT_TRANSLATE_NOOP("PassageRepeat", "Gentager %1–%2")).arg(time(*m_a), time(*m_b));
    } else if (m_a) {
        shown = text(QT_TRANSLATE_NOOP("PassageRepeat", "A ved %1; sæt B")).arg(time(*m_a));
    } else {
        shown = text(
            QT_TRANSLATE_NOOP("PassageRepeat", "Skift og træk på positionen gentager et stykke"));
    }
    m_shown->setText(shown);
    m_shown->setAccessibleName(shown);
}

double PassageRepeat::secondsAt(int x) const {
    QStyleOptionSlider option;
    option.initFrom(m_slider);
    option.orientation = m_slider->orientation();
    option.minimum = m_slider->minimum();
    option.maximum = m_slider->maximum();
    const QRect groove = m_slider->style()->subControlRect(QStyle::CC_Slider, &option,
                                                           QStyle::SC_SliderGroove, m_slider);
    const int value = QStyle::sliderValueFromPosition(m_slider->minimum(), m_slider->maximum(),
                                                      x - groove.x(), groove.width());
    return value / kSliderStepsPerSecond;
}

bool PassageRepeat::eventFilter(QObject* watched, QEvent* event) {
    // Only the slider's mouse events are looked at: the others reach the filter also while the
    // window is being taken down, when it can no longer be asked for its piece.
    auto* mouse = dynamic_cast<QMouseEvent*>(event);
    if (watched != m_slider || mouse == nullptr || mouse->button() == Qt::RightButton ||
        m_window.piece() == nullptr) {
        return false;
    }
    // Shift and a drag marks the passage dragged over; the slider itself does not move.
    const int x = static_cast<int>(mouse->position().x());
    if (event->type() == QEvent::MouseButtonPress && (mouse->modifiers() & Qt::ShiftModifier)) {
        m_dragFrom = secondsAt(x);
        return true;
    }
    if (!m_dragFrom) {
        return false;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        repeat(*std::exchange(m_dragFrom, std::nullopt), secondsAt(x));
    }
    return true; // the drag belongs to the passage, not to the slider
}
