#include "ui/responsive_player.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>

#include <thread>

ResponsivePlayer::ResponsivePlayer(SoundPlayer& backend) : m_backend(backend) {}

void ResponsivePlayer::play(const std::vector<std::uint8_t>& wavImage) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || QThread::currentThread() != app->thread()) {
        m_backend.play(wavImage); // no event loop to keep alive
        return;
    }
    if (m_quitting) {
        return;
    }
    QEventLoop loop;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        m_backend.play(wavImage);
        done = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    // The loop also ends when the application quits (the window was closed); the chord is
    // still let finish before returning.
    if (!done) {
        m_quitting = true;
    }
    worker.join();
}
