#include "support/window_test_support.h"
#include "ui/music/music_session.h"
#include "ui/music/music_window.h"
#include "ui/texts/key_table.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeySequence>
#include <QSet>
#include <QShortcut>

// The one table of keys: no key does two things, and the README's table of keys is this one.
class KeyTableTest : public QObject {
    Q_OBJECT

private slots:
    void noKeyDoesTwoThings();
    void readmeListsEveryKey();
    void noKeyIsBoundTwiceInTheWindowsOpenTogether();
};

void KeyTableTest::noKeyDoesTwoThings() {
    QSet<int> seen;
    for (const keys::Binding& binding : keys::keyTable()) {
        QVERIFY(!binding.keys.isEmpty());
        for (QKeyCombination key : binding.keys) {
            QVERIFY2(!seen.contains(key.toCombined()),
                     qPrintable(QKeySequence(key).toString() + " does two things"));
            seen.insert(key.toCombined());
        }
    }
}

void KeyTableTest::readmeListsEveryKey() {
    QFile readme(KLANGORA_README);
    QVERIFY(readme.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(readme.readAll());
    for (const keys::Binding& binding : keys::keyTable()) {
        const QString row = QString("| %1 | %2%3 |")
                                .arg(keys::keysText(binding), binding.meaning,
                                     binding.reserved ? " (reserveret)" : "");
        QVERIFY2(text.contains(row), qPrintable("README lacks " + row));
    }
}

// Two bindings of one key answer it with neither ("Ambiguous shortcut overload").
void KeyTableTest::noKeyIsBoundTwiceInTheWindowsOpenTogether() {
    RecordingPlayer player;
    TForm1 form(player);
    QVERIFY(activate(form));
    form.music().window().show();
    form.findChild<QAction*>("openExercisesAction")->trigger();
    QTest::keyClick(form.windowHandle(), Qt::Key_F1);
    QMap<QObject*, QList<QKeySequence>> bindings; // an action in two places binds its keys once
    for (QWidget* window : QApplication::topLevelWidgets()) {
        for (QShortcut* shortcut : window->findChildren<QShortcut*>()) {
            bindings[shortcut] = {shortcut->key()};
        }
        const QList<QWidget*> widgets = window->findChildren<QWidget*>() << window;
        for (QWidget* widget : widgets) {
            for (QAction* action : widget->actions()) {
                bindings[action] = action->shortcuts();
            }
        }
    }
    QStringList keys;
    for (const QList<QKeySequence>& sequences : bindings) {
        for (const QKeySequence& key : sequences) {
            QVERIFY2(!keys.contains(key.toString()), qPrintable(key.toString()));
            keys << key.toString();
        }
    }
    QVERIFY(keys.contains("P") && keys.contains("B"));
}

QTEST_MAIN(KeyTableTest)
#include "key_table_test.moc"
