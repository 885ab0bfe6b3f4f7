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
#include <QTest>

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
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.music().window().show();
    form.findChild<QAction*>("openExercisesAction")->trigger();
    QTest::keyClick(form.windowHandle(), Qt::Key_F1);
    QHash<QString, QObject*> bound;
    const auto bind = [&bound](const QKeySequence& key, QObject* owner) {
        const QObject* other = bound.value(key.toString(), owner);
        QVERIFY2(other == owner, qPrintable(key.toString() + " is bound twice"));
        bound.insert(key.toString(), owner);
    };
    for (QWidget* window : QApplication::topLevelWidgets()) {
        for (QShortcut* shortcut : window->findChildren<QShortcut*>()) {
            bind(shortcut->key(), shortcut);
        }
        QList<QAction*> actions = window->findChildren<QAction*>();
        for (QWidget* widget : window->findChildren<QWidget*>()) {
            actions << widget->actions();
        }
        for (QAction* action : actions) {
            for (const QKeySequence& key : action->shortcuts()) {
                bind(key, action);
            }
        }
    }
    QVERIFY(bound.contains("P"));
}

QTEST_MAIN(KeyTableTest)
#include "key_table_test.moc"
