#include "support/window_test_support.h"
#include "ui/music/music_session.h"
#include "ui/music/music_window.h"
#include "ui/texts/key_table.h"

#include <QAction>
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
    TestWindow window;
    auto& [player, form] = window;
    QVERIFY(activate(form));
    form.music().window().show();
    form.findChild<QAction*>("openExercisesAction")->trigger();
    QTest::keyClick(form.windowHandle(), Qt::Key_F1);
    QStringList keys;
    QSet<QAction*> actions; // an action in two windows binds its keys once
    for (QWidget* widget : QApplication::allWidgets()) {
        for (QShortcut* shortcut : widget->findChildren<QShortcut*>(Qt::FindDirectChildrenOnly)) {
            keys << shortcut->key().toString();
        }
        const QList<QAction*> own = widget->actions();
        actions.unite(QSet<QAction*>(own.cbegin(), own.cend()));
    }
    for (QAction* action : actions) {
        keys << QKeySequence::listToString(action->shortcuts()).split("; ", Qt::SkipEmptyParts);
    }
    QVERIFY(keys.contains("P"));
    QVERIFY2(QSet<QString>(keys.cbegin(), keys.cend()).size() == keys.size(),
             qPrintable(keys.join(' ')));
}

QTEST_MAIN(KeyTableTest)
#include "key_table_test.moc"
