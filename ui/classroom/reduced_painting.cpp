#include "ui/classroom/reduced_painting.h"

#include <QApplication>
#include <QBackingStore>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>
#include <QWindow>
#include <private/qwidget_p.h>

ReducedPainting::ReducedPainting() {
    QApplication::instance()->installEventFilter(this);
}

ReducedPainting::~ReducedPainting() {
    QApplication::instance()->removeEventFilter(this);
}

namespace {

QWidget* reducedWindowOf(QObject& object) {
    QWidget* window = nullptr;
    if (object.isWidgetType()) {
        window = static_cast<QWidget&>(object).window();
    } else if (object.isWindowType()) {
        for (QWidget* topLevel : QApplication::topLevelWidgets()) {
            if (topLevel->windowHandle() == &object) {
                window = topLevel;
            }
        }
    }
    if (window == nullptr || window->backingStore() == nullptr ||
        window->devicePixelRatioF() >= 1.0) {
        return nullptr;
    }
    return window;
}

} // namespace

bool ReducedPainting::eventFilter(QObject* watched, QEvent* event) {
    if (m_rendering) {
        return false;
    }
    switch (event->type()) {
    case QEvent::Paint: {
        if (!watched->isWidgetType()) {
            return false;
        }
        auto& widget = static_cast<QWidget&>(*watched);
        // Qt's own painting at full size is left out; the whole window is drawn after it.
        return reducedWindowOf(widget) != nullptr &&
               QWidgetPrivate::get(&widget)->redirected(nullptr) ==
                   widget.window()->backingStore()->paintDevice();
    }
    case QEvent::UpdateRequest:
    case QEvent::Expose: {
        QWidget* window = reducedWindowOf(*watched);
        if (window == nullptr || (watched->isWidgetType() && watched != window)) {
            return false;
        }
        // Qt brings the window up to date first (its background fills land at full size),
        // then the whole window is drawn anew at its ratio and shown.
        watched->event(event);
        paintWhole(*window);
        return true;
    }
    default:
        return false;
    }
}

void ReducedPainting::paintWhole(QWidget& window) {
    QBackingStore& store = *window.backingStore();
    const QRegion whole(QRect(QPoint(0, 0), window.size()));
    store.beginPaint(whole);
    {
        QPainter painter(store.paintDevice());
        painter.scale(window.devicePixelRatioF(), window.devicePixelRatioF());
        m_rendering = true;
        window.render(&painter, QPoint(), QRegion(),
                      QWidget::DrawWindowBackground | QWidget::DrawChildren);
        m_rendering = false;
    }
    store.endPaint();
    store.flush(whole, window.windowHandle());
}
