#include "ui/responsive_player.h"

#include <QCoreApplication>
#include <QEvent>
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
    // Closing the last window only posts the application's Quit event, and entering any event
    // loop throws pending Quit events away: a window closed just before this chord would leave
    // the program running with no window. Deliver it now; once the application has accepted
    // it, exec() below returns at once without running.
    QCoreApplication::sendPostedEvents(app, QEvent::Quit);

    QEventLoop loop;
    bool soundEnded = false;
    // Declared after the loop, so that it is joined before the loop it reports to goes away,
    // whichever way this function is left.
    std::jthread worker;
    // The chord is started from inside the loop, not before it: when the application is
    // already quitting, the loop never runs and no chord starts.
    QMetaObject::invokeMethod(
        &loop,
        [&] {
            if (!loop.isRunning()) {
                return; // told to stop in the same turn that started it
            }
            worker = std::jthread([&] {
                m_backend.play(wavImage);
                // Queued to the GUI thread: the flag and the loop are touched there only, and
                // if the loop has already ended the event dies with it, unseen.
                QMetaObject::invokeMethod(
                    &loop,
                    [&] {
                        soundEnded = true;
                        loop.quit();
                    },
                    Qt::QueuedConnection);
            });
        },
        Qt::QueuedConnection);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    // Only the application quitting ends the loop before the sound has ended (nothing else
    // knows the loop). The chord still finishes before play() returns.
    if (!soundEnded) {
        m_quitting = true;
    }
    if (worker.joinable()) {
        worker.join();
    }
}
