#include "ui/layout/window_layout.h"
#include "ui/messages/message_panel.h"

#include <QLabel>
#include <QTest>

// The message panel on its own, as the window builds it: who is shown, and how far it grows.
class MessagePanelTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { delete window; }
    void higherPriorityGoesFirst();
    void growsUpwardsOnlyToBelowTheKeyButtons();

private:
    using Priority = MessagePanel::Priority;
    QWidget* window = nullptr;
    QLabel* label = nullptr;
    MessagePanel* panel = nullptr;
    int bottom = 0;
};

void MessagePanelTest::init() {
    window = new QWidget;
    const MessagePanel::Widgets widgets = buildMessagePanel(*window);
    label = widgets.label;
    bottom = label->geometry().bottom();
    panel = new MessagePanel(widgets, window);
}

void MessagePanelTest::higherPriorityGoesFirst() {
    QVERIFY(!label->isVisibleTo(window));
    panel->request(Priority::liveInstrument, {"Kvint C–G"}, Qt::black);
    QCOMPARE(label->text(), QString("Kvint C–G"));
    panel->request(Priority::sequence, {"Du hører"}, Qt::red);
    panel->request(Priority::piece, {"Stykke"}, Qt::black);
    QCOMPARE(label->text(), QString("Du hører"));
    QVERIFY(panel->shows(Priority::sequence));
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::red));
    panel->release(Priority::sequence);
    QCOMPARE(label->text(), QString("Stykke"));
    panel->release(Priority::piece);
    QCOMPARE(label->text(), QString("Kvint C–G"));
    QVERIFY(label->isVisibleTo(window));
    panel->release(Priority::liveInstrument);
    QVERIFY(!label->isVisibleTo(window));
}

void MessagePanelTest::growsUpwardsOnlyToBelowTheKeyButtons() {
    const QStringList lines = {"Stor terts C–E", "Kvint C–G", "Stor terts E–G#", "Kvint E–H"};
    panel->request(Priority::liveInstrument, lines, Qt::black);
    QCOMPARE(label->geometry().bottom(), bottom);
    QVERIFY(label->y() >= KeyMarking::kKeyButtonTop + 17);
    const QStringList shown = label->text().split('\n');
    QVERIFY(shown.size() >= 2 && shown.size() < lines.size());
    QCOMPARE(shown.mid(0, shown.size() - 1), lines.mid(0, shown.size() - 1));
    QCOMPARE(shown.constLast(), QString("… og %1 mere").arg(lines.size() - shown.size() + 1));
    QCOMPARE(label->toolTip(), lines.join('\n'));
    QCOMPARE(label->accessibleDescription(), lines.join('\n'));

    // One line again: the panel's own height.
    panel->request(Priority::liveInstrument, {"Kvint C–G"}, Qt::black);
    QCOMPARE(label->height(), 25);
    QCOMPARE(label->geometry().bottom(), bottom);
}

QTEST_MAIN(MessagePanelTest)
#include "message_panel_test.moc"
