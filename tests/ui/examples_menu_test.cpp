// The "Eksempler" submenu over the example pieces the build writes: the cadence, then the two
// chorales in twelve keys each, every entry handing on the path of its file.
#include "ui/music/examples_menu.h"

#include <QFile>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

QMenu* submenu(const QMenu& menu, const QString& title) {
    for (QAction* action : menu.actions()) {
        if (action->menu() != nullptr && action->text() == title) {
            return action->menu();
        }
    }
    return nullptr;
}

QStringList titles(const QMenu& menu) {
    QStringList texts;
    for (QAction* action : menu.actions()) {
        texts << action->text();
    }
    return texts;
}

} // namespace

class ExamplesMenuTest : public QObject {
    Q_OBJECT

private slots:
    void theCadenceAndTwelveKeysOfEachChorale() {
        ExamplesMenu examples(nullptr, KLANGORA_EXAMPLES_DIR);
        QMenu menu;
        examples.addToMenu(menu);
        QMenu* list = submenu(menu, "Eksempler");
        QVERIFY(list != nullptr);
        QVERIFY(list->isEnabled());
        QCOMPARE(titles(*list),
                 QStringList({QString::fromUtf8(
                                  "Kadence I–IV–V–I i alle dur-tonearter, rundt i kvintcirklen"),
                              "Koral", "Jazz-koral"}));
        const QStringList keys = {"C", "C#", "D", "Eb", "E", "F", "F#", "G", "G#", "A", "Bb", "H"};
        QStringList chorales, jazzChorales;
        for (const QString& key : keys) {
            chorales << QString("Koral i %1-dur").arg(key);
            jazzChorales << QString("Jazz-koral i %1-dur").arg(key);
        }
        QCOMPARE(titles(*submenu(*list, "Koral")), chorales);
        QCOMPARE(titles(*submenu(*list, "Jazz-koral")), jazzChorales);
    }

    void anEntryHandsOnItsFile() {
        ExamplesMenu examples(nullptr, KLANGORA_EXAMPLES_DIR);
        QSignalSpy chosen(&examples, &ExamplesMenu::exampleChosen);
        QMenu menu;
        examples.addToMenu(menu);
        submenu(*submenu(menu, "Eksempler"), "Koral")->actions().at(3)->trigger();
        QCOMPARE(chosen.count(), 1);
        const QString path = chosen.at(0).at(0).toString();
        QVERIFY2(path.endsWith("/koral-es-dur.mid"), qPrintable(path));
        QVERIFY(QFile::exists(path));
    }

    void missingFilesAreLeftOut() {
        QTemporaryDir folder;
        QVERIFY(QFile::copy(QString(KLANGORA_EXAMPLES_DIR) + "/koral-d-dur.mid",
                            folder.filePath("koral-d-dur.mid")));
        ExamplesMenu examples(nullptr, folder.path());
        QMenu menu;
        examples.addToMenu(menu);
        QMenu* list = submenu(menu, "Eksempler");
        QCOMPARE(titles(*list), QStringList{"Koral"});
        QCOMPARE(titles(*submenu(*list, "Koral")), QStringList{"Koral i D-dur"});
    }

    void withoutExamplesTheSubmenuIsDisabled() {
        QTemporaryDir empty;
        for (const QString& folder : {empty.path(), QString()}) {
            ExamplesMenu examples(nullptr, folder);
            QMenu menu;
            examples.addToMenu(menu);
            QVERIFY(!submenu(menu, "Eksempler")->isEnabled());
        }
    }

    void theInstalledFolderIsFoundInTheSystemsDataFolders() {
        QTemporaryDir data;
        QVERIFY(QDir(data.path()).mkpath("klangora/examples"));
        qputenv("XDG_DATA_HOME", data.filePath("nowhere").toLocal8Bit());
        qputenv("XDG_DATA_DIRS", data.path().toLocal8Bit());
        QCOMPARE(examplesFolder(), data.filePath("klangora/examples"));
    }
};

QTEST_MAIN(ExamplesMenuTest)
#include "examples_menu_test.moc"
