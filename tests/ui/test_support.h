#pragma once

#include "sound/sound_player.h"
#include "ui/form1.h"

#include <QLabel>
#include <QPalette>
#include <QTest>
#include <QWidget>

#include <cstdint>
#include <vector>

// A player that keeps every image it is handed instead of sounding it.
class RecordingPlayer : public SoundPlayer {
public:
    void play(const std::vector<std::uint8_t>& wavImage) override { images.push_back(wavImage); }
    std::vector<std::vector<std::uint8_t>> images;
};

template <typename T> T* child(const QWidget& parent, const QString& name) {
    T* found = parent.findChild<T*>(name);
    if (found == nullptr) {
        qFatal("no child named %s", qPrintable(name));
    }
    return found;
}

inline QColor textColour(const QWidget* widget) {
    return widget->palette().color(QPalette::WindowText);
}

inline QString labelText(const QWidget& form, const QString& name) {
    return child<QLabel>(form, name)->text();
}

// Shows the window and makes it the active one, so that keyboard focus and keys behave as on a
// desktop.
inline bool activate(QWidget& form) {
    form.show();
    form.activateWindow();
    return QTest::qWaitForWindowActive(&form);
}
