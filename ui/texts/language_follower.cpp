#include "ui/texts/language_follower.h"

#include <QEvent>
#include <QObject>
#include <QWidget>

namespace {

class LanguageFollower : public QObject {
public:
    LanguageFollower(QObject& owner, std::function<void()> retell)
        : QObject(&owner), m_retell(std::move(retell)) {}

private:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::LanguageChange) {
            m_retell();
        }
        return false;
    }

    std::function<void()> m_retell;
};

} // namespace

void followLanguage(QWidget& window, QObject& owner, std::function<void()> retell) {
    window.installEventFilter(new LanguageFollower(owner, std::move(retell)));
}
