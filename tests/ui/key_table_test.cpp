#include "ui/texts/key_table.h"

#include <QFile>
#include <QKeySequence>
#include <QSet>
#include <QTest>

// The one table of keys: no key does two things, and the README's table of keys is this one.
class KeyTableTest : public QObject {
    Q_OBJECT

private slots:
    void noKeyDoesTwoThings();
    void readmeListsEveryKey();
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

QTEST_MAIN(KeyTableTest)
#include "key_table_test.moc"
