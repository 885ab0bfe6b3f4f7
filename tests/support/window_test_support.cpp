#include "support/window_test_support.h"

#include "core/music/midi_file_writer.h"
#include "sound/music/piece_player.h"
#include "ui/widgets/shape.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QMessageBox>
#include <QPalette>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>

#include <array>

TestWindow::TestWindow() : form(player) {}

TestWindow::TestWindow(SoundPlayer& other) : form(other) {}

TestWindow::TestWindow(SoundPlayer& other, klangora::LiveInstrument& instrument)
    : form(other, instrument) {}

QStringList shownTexts(const QWidget& window) {
    static constexpr std::array<const char*, 7> kShownProperties = {"text",
                                                                    "toolTip",
                                                                    "statusTip",
                                                                    "whatsThis",
                                                                    "windowTitle",
                                                                    "accessibleName",
                                                                    "accessibleDescription"};
    QList<const QObject*> objects{&window};
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        objects << widget;
    }
    for (const QAction* action : window.findChildren<QAction*>()) {
        objects << action;
    }
    QStringList texts;
    for (const QObject* object : objects) {
        for (const char* property : kShownProperties) {
            const QString text = object->property(property).toString();
            if (!text.isEmpty()) {
                texts << QString("%1.%2: %3").arg(object->objectName(), property, text);
            }
        }
        // A list box's choices and a table's cells are items, not properties.
        if (const auto* box = qobject_cast<const QComboBox*>(object)) {
            for (int i = 0; i < box->count(); ++i) {
                texts << QString("%1.item: %2").arg(box->objectName(), box->itemText(i));
            }
        }
        if (const auto* table = qobject_cast<const QTableWidget*>(object)) {
            for (const QTableWidgetItem* item : table->findItems("", Qt::MatchContains)) {
                texts << QString("%1.item: %2").arg(table->objectName(), item->text());
            }
        }
    }
    return texts;
}

std::vector<int> struckNotes(klangora::PiecePlayer& player, double seconds) {
    std::vector<int> notes;
    for (int done = 0; done < seconds * 48000; done += 480) {
        player.advance(480, 48000, [&](int, const klangora::PieceAction& action) {
            if (action.kind == klangora::PieceAction::Kind::noteOn) {
                notes.push_back(action.note);
            }
        });
    }
    return notes;
}

std::vector<std::vector<std::uint8_t>> sequenceImages(void (TForm1::*start)(), int steps) {
    TestWindow window;
    (window.form.*start)();
    for (int step = 0; step < steps; ++step) {
        window.form.Timer3Timer();
    }
    return window.player.images;
}

QString writePiece(const QString& path, const klangora::MidiTrackWriter& track) {
    const auto bytes = klangora::writeMidiFile({0, 480}, {track});
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) !=
            qint64(bytes.size())) {
        qFatal("cannot write %s", qPrintable(path));
    }
    return path;
}

Shape* mark(const QWidget& form, int column, int row) {
    return child<Shape>(form, markName(column, row));
}

Shape* bar(const QWidget& form, int column, int bar) {
    return child<Shape>(form, barName(column, bar));
}

QScrollBar* slider(const QWidget& form, int tone) {
    return child<QScrollBar>(form, sliderName(tone));
}

QList<int> sliderPositions(const QWidget& form) {
    QList<int> positions;
    for (int tone = 2; tone <= 12; ++tone) {
        positions << slider(form, tone)->value();
    }
    return positions;
}

QList<int> listOf(const klangora::SliderPositions& positions) {
    return QList<int>(positions.begin(), positions.end());
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
