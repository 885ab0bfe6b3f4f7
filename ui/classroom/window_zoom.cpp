// Qt draws every window through a device pixel ratio: the window's own coordinates stay in
// device-independent pixels while the screen gets ratio times as many. Zoom sets that ratio for
// the screens. Qt reads it when a native window is made, so a window already shown is hidden,
// its native window dropped and shown again at once, with its widgets and state untouched.
#include "ui/classroom/window_zoom.h"

#include "ui/classroom/reduced_painting.h"

#include <QBackingStore>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <private/qhighdpiscaling_p.h>
#include <qpa/qplatformscreen.h>

#include <algorithm>
#include <cmath>

namespace {

// Hides a shown window and drops its native window, so that the next show makes a new one at the
// screens' new ratio.
void dropNativeWindow(QWidget& window) {
    window.hide();
    if (QWindow* handle = window.windowHandle()) {
        handle->destroy();
    }
}

// The backing store keeps its size in device-independent pixels, which a new ratio leaves
// alone; it is told again so that it takes the new number of device pixels.
void showAtNewRatio(QWidget& window, bool fullScreen) {
    QWidget* focused = window.focusWidget();
    fullScreen ? window.showFullScreen() : window.show();
    if (QBackingStore* store = window.backingStore()) {
        store->resize(window.size());
    }
    window.update();
    // The new native window takes the keyboard as the old one had it.
    window.activateWindow();
    if (focused != nullptr) {
        focused->setFocus(Qt::OtherFocusReason);
    }
}

const QScreen& screenOf(const QWidget& window) {
    return window.screen() != nullptr ? *window.screen() : *QGuiApplication::primaryScreen();
}

QSize deviceScreenSize(const QWidget& window) {
    return screenOf(window).handle()->geometry().size();
}

} // namespace

WindowZoom::WindowZoom(QWidget& window) : m_window(window) {}

// The stage must not take the window with it when it goes.
WindowZoom::~WindowZoom() {
    if (m_stage != nullptr) {
        m_stage->removeEventFilter(this);
        m_window.setParent(nullptr);
    }
}

bool WindowZoom::isStep(int percent) {
    return std::find(kStepsPercent.begin(), kStepsPercent.end(), percent) != kStepsPercent.end();
}

bool WindowZoom::setPercent(int percent) {
    if (!isStep(percent)) {
        return false;
    }
    percent = std::min(percent, largestStep());
    if (isFullScreen()) {
        m_windowedPercent = percent;
        return true;
    }
    apply(percent);
    return true;
}

void WindowZoom::zoomIn() {
    step(+1);
}

void WindowZoom::zoomOut() {
    step(-1);
}

void WindowZoom::reset() {
    if (isFullScreen()) {
        leaveFullScreen();
    }
    if (m_percent != kFullSizePercent) {
        apply(kFullSizePercent);
        emit percentChosen(m_percent);
    }
}

void WindowZoom::step(int direction) {
    if (isFullScreen()) {
        return;
    }
    const auto* at = std::find(kStepsPercent.begin(), kStepsPercent.end(), m_percent);
    const auto index = std::clamp<std::ptrdiff_t>(at - kStepsPercent.begin() + direction, 0,
                                                  std::ssize(kStepsPercent) - 1);
    const int next = kStepsPercent.at(static_cast<std::size_t>(index));
    if (next != m_percent && next <= std::max(m_percent, largestStep())) {
        apply(next);
        emit percentChosen(m_percent);
    }
}

void WindowZoom::toggleFullScreen() {
    isFullScreen() ? leaveFullScreen() : enterFullScreen();
}

bool WindowZoom::isFullScreen() const {
    return m_stage != nullptr;
}

// Never below 100 %: the window starts at its own size on any screen, and only the user makes it
// smaller.
int WindowZoom::largestStep() const {
    return std::max(kFullSizePercent,
                    largestFittingStep(m_window.size(), deviceScreenSize(m_window)));
}

int WindowZoom::largestFittingStep(QSize windowSize, QSize screenSize) {
    int fitting = kStepsPercent.front();
    for (const int percent : kStepsPercent) {
        if (windowSize.width() * percent <= screenSize.width() * 100 &&
            windowSize.height() * percent <= screenSize.height() * 100) {
            fitting = percent;
        }
    }
    return fitting;
}

void WindowZoom::apply(int percent) {
    m_percent = percent;
    // At the ratio the screens already have (100 % at every start) nothing is touched, so the
    // window starts exactly as it always has.
    if (qFuzzyCompare(QHighDpiScaling::factor(QGuiApplication::primaryScreen()), percent / 100.0)) {
        return;
    }
    QWidget& shown = isFullScreen() ? *m_stage : m_window;
    const bool wasVisible = shown.isVisible();
    if (wasVisible) {
        dropNativeWindow(shown);
    }
    setScreensPercent(percent);
    if (wasVisible) {
        showAtNewRatio(shown, isFullScreen());
    }
}

// The stage takes the whole screen in the window's background colour and holds the window in
// its middle; the window itself keeps its size and its own coordinates.
void WindowZoom::enterFullScreen() {
    m_windowedPercent = m_percent;
    const int fitting = largestFittingStep(m_window.size(), deviceScreenSize(m_window));
    const bool wasVisible = m_window.isVisible();
    QWidget* focused = m_window.focusWidget();
    m_stage = std::make_unique<QWidget>();
    m_stage->setObjectName("fullScreenStage");
    m_stage->setWindowTitle(m_window.windowTitle());
    m_stage->setWindowIcon(m_window.windowIcon());
    m_stage->setPalette(m_window.palette());
    m_stage->setBackgroundRole(QPalette::Window);
    m_stage->setAutoFillBackground(true);
    m_stage->installEventFilter(this);
    if (wasVisible) {
        dropNativeWindow(m_window);
    }
    m_window.setParent(m_stage.get());
    m_window.show();
    m_percent = fitting;
    setScreensPercent(fitting);
    // Where no window manager enforces full screen, the stage covers the screen by itself.
    m_stage->setGeometry(screenOf(m_window).geometry());
    m_stage->showFullScreen();
    centreOnStage();
    if (focused != nullptr) {
        focused->setFocus(Qt::OtherFocusReason);
    }
}

void WindowZoom::leaveFullScreen() {
    QWidget* focused = m_window.focusWidget();
    m_stage->removeEventFilter(this);
    dropNativeWindow(*m_stage);
    m_window.setParent(nullptr);
    m_window.move(0, 0);
    m_percent = m_windowedPercent;
    setScreensPercent(m_percent);
    m_stage.reset();
    showAtNewRatio(m_window, false);
    if (focused != nullptr) {
        focused->setFocus(Qt::OtherFocusReason);
    }
}

// The ratio is the step's, made a whole number of device pixels across the window: a width that
// is not (894 at 75 % is 670.5) would come back from the window system rounded, and the window
// would no longer keep its own size.
void WindowZoom::setScreensPercent(int percent) {
    const int width = m_window.width();
    const qreal factor = width > 0 ? std::round(width * percent / 100.0) / width : percent / 100.0;
    for (QScreen* screen : QGuiApplication::screens()) {
        QHighDpiScaling::setScreenFactor(screen, factor);
    }
    if (percent >= kFullSizePercent) {
        m_reducedPainting.reset();
    } else if (m_reducedPainting == nullptr) {
        m_reducedPainting = std::make_unique<ReducedPainting>();
    }
}

void WindowZoom::centreOnStage() {
    const QSize free = m_stage->size() - m_window.size();
    m_window.move(std::max(0, free.width() / 2), std::max(0, free.height() / 2));
}

bool WindowZoom::eventFilter(QObject* watched, QEvent* event) {
    if (m_stage != nullptr && watched == m_stage.get() && event->type() == QEvent::Resize) {
        centreOnStage();
    }
    return false;
}
