#include "support/window_system_input.h"

#include "ui/form1.h"

#include <qpa/qwindowsysteminterface.h>

#include <QApplication>
#include <QTimer>
#include <QWindow>

namespace klangora::test_support {

using Wsi = QWindowSystemInterface;

int runApplication(std::chrono::milliseconds limit) {
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(kHung); });
    watchdog.start(limit);
    return QApplication::exec();
}

void clickAsTheWindowSystemDoes(const TForm1& form, const QWidget* target) {
    const QPointF local(target->mapTo(&form, target->rect().center()));
    const QPointF global(form.mapToGlobal(local));
    Wsi::handleMouseEvent<Wsi::AsynchronousDelivery>(form.windowHandle(), local, global,
                                                     Qt::LeftButton, Qt::LeftButton,
                                                     QEvent::MouseButtonPress);
    Wsi::handleMouseEvent<Wsi::AsynchronousDelivery>(form.windowHandle(), local, global,
                                                     Qt::NoButton, Qt::LeftButton,
                                                     QEvent::MouseButtonRelease);
}

void keyAsTheWindowSystemDoes(const TForm1& form, bool press, int key) {
    Wsi::handleKeyEvent<Wsi::AsynchronousDelivery>(
        form.windowHandle(), press ? QEvent::KeyPress : QEvent::KeyRelease, key, Qt::NoModifier);
}

void closeAsTheWindowManagerDoes(const QWidget& form) {
    Wsi::handleCloseEvent<Wsi::AsynchronousDelivery>(form.windowHandle());
}

} // namespace klangora::test_support
