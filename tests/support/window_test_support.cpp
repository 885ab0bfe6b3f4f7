#include "support/window_test_support.h"

#include "ui/widgets/shape.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPalette>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

TestWindow::TestWindow() : form(player) {}

TestWindow::TestWindow(SoundPlayer& other) : form(other) {}

TestWindow::TestWindow(SoundPlayer& other, klangora::LiveInstrument& instrument)
    : form(other, instrument) {}

Shape* mark(const QWidget& form, int column, int row) {
    return child<Shape>(form, markName(column, row));
}

Shape* bar(const QWidget& form, int column, int bar) {
    return child<Shape>(form, barName(column, bar));
}

QScrollBar* slider(const QWidget& form, int tone) {
    return child<QScrollBar>(form, sliderName(tone));
}

QLabel* readout(const QWidget& form, int tone) {
    return child<QLabel>(form, readoutName(tone));
}

QLabel* note(const QWidget& form, int tone) {
    return child<QLabel>(form, noteName(tone));
}

QRadioButton* keyButton(const QWidget& form, int tone) {
    return child<QRadioButton>(form, keyName(tone));
}

QColor textColour(const QWidget* widget) {
    return widget->palette().color(QPalette::WindowText);
}

QString labelText(const QWidget& form, const QString& name) {
    return child<QLabel>(form, name)->text();
}

int widePens(const QWidget& form) {
    int wide = 0;
    for (int column = 1; column <= 13; ++column) {
        for (int row = 0; row <= 2; ++row) {
            wide += mark(form, column, row)->penWidth() == kSelectedPen ? 1 : 0;
        }
    }
    return wide;
}

QList<int> redTones(const QWidget& form) {
    QList<int> red;
    for (int tone = 1; tone <= 13; ++tone) {
        if (textColour(note(form, tone)) == Qt::red || textColour(readout(form, tone)) == Qt::red) {
            red << tone;
        }
    }
    return red;
}

void clickKey(const QWidget& form, int tone) {
    QRadioButton* button = keyButton(form, tone);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

void pressKey(TForm1& form, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(form.windowHandle(), key, modifiers);
}

bool activate(QWidget& form) {
    form.show();
    form.activateWindow();
    return QTest::qWaitForWindowActive(&form);
}

bool settle(QWidget& form) {
    const auto started = [&form] {
        return !child<QTimer>(form, "Timer1")->isActive() &&
               !child<QTimer>(form, "Timer2")->isActive();
    };
    return activate(form) && QTest::qWaitFor(started);
}

void closeNextBox(SeenBox& seen) {
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            closeNextBox(seen); // not shown yet: look again on the next turn of the loop
            return;
        }
        seen.opened = true;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.buttons = static_cast<int>(box->buttons().size());
        box->button(QMessageBox::Ok)->click();
    });
}

BoxCounter::BoxCounter() {
    QObject::connect(&watch_, &QTimer::timeout, [this] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            ++count_;
            box->close();
        }
    });
    watch_.start(20);
}
