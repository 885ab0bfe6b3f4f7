#include "ui/sequence/responsive_player.h"

#include "ui/texts/key_table.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPointer>
#include <QThread>

#include <algorithm>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

namespace {

bool isUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
        return true;
    default:
        return false;
    }
}

// Holds back the input that the window system delivers to the program's windows while it is
// installed, and hands it to them, in the order it came, once the sound has ended. Qt's own
// ExcludeUserInputEvents would hold back the window manager's close request too.
//
// Two exceptions act at once, so that no tone of the live instrument outlasts its key: a key's
// release (and when the key's press is itself still held back, the two cancel out), and Esc,
// which stops every sound and takes the held-back key presses with it.
class HeldInput : public QObject {
public:
    HeldInput() { QCoreApplication::instance()->installEventFilter(this); }
    ~HeldInput() override { QCoreApplication::instance()->removeEventFilter(this); }
    HeldInput(const HeldInput&) = delete;
    HeldInput& operator=(const HeldInput&) = delete;

    // Posted, not sent: the step that plays runs to its end before any of it is handled.
    void release() {
        for (auto& [window, event] : m_held) {
            if (window) {
                QCoreApplication::postEvent(window, event.release());
            }
        }
        m_held.clear();
    }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (!receiver->isWindowType() || !event->spontaneous() || !isUserInput(event->type())) {
            return false;
        }
        const auto* key = dynamic_cast<const QKeyEvent*>(event);
        if (key != nullptr && !key->isAutoRepeat()) {
            if (event->type() == QEvent::KeyRelease) {
                return cancelHeldPress(*key);
            }
            if (keys::does(key->keyCombination(), keys::Command::stopAllSound)) {
                std::erase_if(m_held, [](const auto& held) {
                    return dynamic_cast<const QKeyEvent*>(held.second.get()) != nullptr;
                });
                return false;
            }
        }
        m_held.emplace_back(receiver, event->clone());
        return true;
    }

private:
    // True (the release goes too) when the key's press waits among the held-back input.
    bool cancelHeldPress(const QKeyEvent& release) {
        const auto press = std::find_if(m_held.begin(), m_held.end(), [&](const auto& held) {
            const auto* key = dynamic_cast<const QKeyEvent*>(held.second.get());
            return key != nullptr && key->type() == QEvent::KeyPress &&
                   key->key() == release.key() && key->nativeScanCode() == release.nativeScanCode();
        });
        if (press == m_held.end()) {
            return false;
        }
        m_held.erase(press);
        return true;
    }

    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> m_held;
};

} // namespace

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

    HeldInput input;
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
    loop.exec();
    // Only the application quitting ends the loop before the sound has ended (nothing else
    // knows the loop): the chord stops at once, and the input held back is not wanted.
    if (!soundEnded) {
        m_quitting = true;
        m_backend.cutShort();
    } else {
        input.release();
    }
    if (worker.joinable()) {
        worker.join();
    }
}
