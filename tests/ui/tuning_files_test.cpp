#include "support/window_test_support.h"

#include "core/presets.h"
#include "core/scala_scale.h"
#include "ui/widgets/shape.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

#include <sys/stat.h>

namespace {

// Everything a refused file must leave as it was.
struct WindowState {
    QList<int> sliders;
    QString caption;
    QString captionTip;
    int captionLeft = 0;
    int selectedTone = 0;
    int selectedRow = 0;
    int widePens = 0;
    QList<int> redTones;
    int selectedKey = 0;
    QStringList readouts;
    bool operator==(const WindowState&) const = default;
};

WindowState stateOf(const TForm1& form) {
    WindowState state;
    for (int tone = 2; tone <= 12; ++tone) {
        state.sliders << slider(form, tone)->value();
        state.readouts << readout(form, tone)->text();
    }
    const auto* caption = child<QLabel>(form, "lbStemning");
    state.caption = caption->text();
    state.captionTip = caption->toolTip();
    state.captionLeft = caption->x();
    state.selectedTone = form.selection().selectedTone();
    state.selectedRow = form.selection().selectedRow();
    state.widePens = widePens(form);
    state.redTones = redTones(form);
    state.selectedKey = form.model().key();
    return state;
}

QString writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
    return path;
}

QByteArray justText(const QByteArray& description) {
    return "! ren.scl\n" + description +
           "\n12\n25/24\n9/8\n6/5\n5/4\n4/3\n45/32\n3/2\n25/16\n5/3\n9/5\n15/8\n2/1\n";
}

// Runs step on each turn of the event loop until it reports that it has found what it acts on
// (a popup menu or a modal dialog, which open their own loops).
void retryUntil(const std::function<bool()>& step) {
    QTimer::singleShot(0, [step] {
        if (!step()) {
            retryUntil(step);
        }
    });
}

// The offscreen platform leaves no window active after a popup or dialog has closed, so the
// window is made active again before a shortcut is typed.
bool keyWithControl(TForm1& form, Qt::Key key) {
    if (!activate(form)) {
        return false;
    }
    pressKey(form, key, Qt::ControlModifier);
    return true;
}

// Accepts the next file dialog with fileName typed in, after noting what it showed.
void acceptNextFileDialog(const QString& fileName, QStringList& shown) {
    retryUntil([fileName, &shown] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return false;
        }
        shown << dialog->windowTitle() << dialog->findChild<QLineEdit*>("fileNameEdit")->text()
              << dialog->nameFilters();
        dialog->selectFile(fileName);
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        return true;
    });
}

// A tuning of the user's own, with a tone selected and a key chosen, as a refusal must find it.
void prepare(TForm1& form) {
    form.werck1Click();
    clickKey(form, 5);
    QTest::mousePress(mark(form, 4, 0), Qt::LeftButton);
    pressKey(form, Qt::Key_Up);
}

} // namespace

class TuningFilesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init() {
        QLocale::setDefault(QLocale::c());
        QVERIFY(activate(m_window.emplace().form));
    }
    void cleanup() { m_window.reset(); }
    void openAppliesTheFileLikeAPreset_data();
    void openAppliesTheFileLikeAPreset();
    void refusedFileChangesNothing_data();
    void refusedFileChangesNothing();
    void droppedFileOpens();
    void saveWritesTheTuningAndOpensAgain();
    void saveToAnUnwritablePlaceSaysWhy();
    void menuAndShortcutsReachTheDialogs();

private:
    WindowFixture m_window;
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }
};

void TuningFilesTest::initTestCase() {
    QVERIFY(m_dir.isValid());
    // The file dialogs start in the home folder; this one is the test's own.
    qputenv("HOME", m_dir.path().toLocal8Bit());
}

void TuningFilesTest::openAppliesTheFileLikeAPreset_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QList<int>>("positions");
    const QList<int> just = listOf(klangora::presetPositions(klangora::PresetId::ren));
    QTest::newRow("ratios") << "just.scl" << justText("Just 5-limit") << "Just 5-limit" << just;
    QTest::newRow("no description") << "Kirnberger.scl" << justText("") << "Kirnberger" << just;
}

void TuningFilesTest::openAppliesTheFileLikeAPreset() {
    QFETCH(QString, fileName);
    QFETCH(QByteArray, text);
    QFETCH(QString, caption);
    QFETCH(QList<int>, positions);
    auto& [player, form] = *m_window;
    prepare(form);
    QVERIFY(form.openTuning(writeFile(path(fileName), text)));
    QCOMPARE(stateOf(form).sliders, positions);
    QCOMPARE(form.model().tones().toneCents[4], 400.0 - positions[3] / 20.0);
    const auto* label = child<QLabel>(form, "lbStemning");
    QCOMPARE(label->text(), caption);
    QCOMPARE(label->toolTip(), QString());
    QCOMPARE(label->x(), TemperamentCaption::kOwnTuningLeft);
    // Like a temperament button: the selection is cleared and only the key is marked.
    QCOMPARE(widePens(form), 0);
    QCOMPARE(form.model().key(), 5);
}

void TuningFilesTest::refusedFileChangesNothing_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("text"); // written only when not empty
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << "none.scl" << QByteArray() << "filen findes ikke.";
    QTest::newRow("folder") << "folder.scl" << QByteArray() << "det er en mappe";
    QTest::newRow("fifo") << "fifo.scl" << QByteArray() << "ikke en almindelig fil";
    QTest::newRow("too large") << "big.scl" << QByteArray(64 * 1024 + 1, '!')
                               << "større end 64 KiB";
    QTest::newRow("no count") << "desc.scl" << QByteArray("! c\nonly a description\n")
                              << "ikke en Scala-stemning: der står ikke, hvor mange toner";
    QTest::newRow("bad pitch") << "bad.scl" << justText("x").replace("4/3", "4/-3")
                               << "linje 8 er hverken en centværdi eller et positivt forhold";
    QTest::newRow("too large value") << "huge.scl" << justText("x").replace("4/3", "99999999999/3")
                                     << "tallet i linje 8 er for stort";
    QTest::newRow("missing pitches")
        << "short.scl" << QByteArray("x\n12\n100.\n") << "den lover 12 toner, men har kun 1.";
    QTest::newRow("seven pitches")
        << "seven.scl" << QByteArray("x\n7\n200.\n300.\n500.\n700.\n800.\n1000.\n2/1\n")
        << "den har 7 toner, men Klangora kan kun vise stemninger med 12 toner.";
    QTest::newRow("tritave") << "tri.scl" << justText("x").replace("\n2/1", "\n3/1")
                             << "dens sidste tone er ikke oktaven";
    QTest::newRow("far tone") << "far.scl" << justText("x").replace("45/32", "640.0")
                              << "tonen F# ligger 40.0 cent over den ligesvævende stemning";
}

void TuningFilesTest::refusedFileChangesNothing() {
    QFETCH(QString, fileName);
    QFETCH(QByteArray, text);
    QFETCH(QString, reason);
    const QString file = path(fileName);
    if (!text.isEmpty()) {
        writeFile(file, text);
    } else if (fileName.startsWith("folder")) {
        QVERIFY(QDir().mkpath(file));
    } else if (fileName.startsWith("fifo")) {
        QVERIFY(QFile::exists(file) || mkfifo(QFile::encodeName(file).constData(), 0600) == 0);
    }
    auto& [player, form] = *m_window;
    prepare(form);
    const WindowState before = stateOf(form);
    SeenBox seen;
    closeNextBox(seen);
    QVERIFY(!form.openTuning(file));
    QVERIFY(seen.opened);
    QCOMPARE(seen.title, QString("Klangoraer1"));
    QVERIFY2(seen.text.contains("»" + fileName + "«") && seen.text.contains(reason),
             qPrintable(seen.text));
    QVERIFY(stateOf(form) == before);
}

void TuningFilesTest::droppedFileOpens() {
    auto& [player, form] = *m_window;
    const QString good = writeFile(path("dropped.scl"), justText("Dropped"));
    const QString other = writeFile(path("dropped.txt"), justText("Not a scale name"));
    for (const QString& file : {other, good}) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        QDragEnterEvent enter(QPoint(450, 20), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&form, &enter);
        QCOMPARE(enter.isAccepted(), file == good);
        QDropEvent drop(QPointF(450, 20), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&form, &drop);
    }
    QTRY_COMPARE(labelText(form, "lbStemning"), QString("Dropped"));
    QCOMPARE(stateOf(form).sliders, listOf(klangora::presetPositions(klangora::PresetId::ren)));
}

void TuningFilesTest::saveWritesTheTuningAndOpensAgain() {
    auto& [player, form] = *m_window;
    prepare(form);
    const QList<int> ownTuning = stateOf(form).sliders;
    const QString file = path("own.scl");
    QVERIFY(form.saveTuning(file));
    QFile written(file);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(written.readAll().startsWith("! own.scl\nDin Egen Stemning!\n 12\n 90.20\n"));
    form.ligeClick();
    QVERIFY(form.openTuning(file));
    QCOMPARE(stateOf(form).sliders, ownTuning);
    QCOMPARE(labelText(form, "lbStemning"), QString("Din Egen Stemning!"));
    QVERIFY(form.saveTuning(path("own.TUN"))); // the extension, in any case, picks the format
    written.close();
    written.setFileName(path("own.TUN"));
    QVERIFY(written.open(QIODevice::ReadOnly) && written.readAll().startsWith("; Din Egen"));

    // A description too long for the window is cut, but kept whole in the tooltip and the file.
    const QString longName =
        "Werckmeister III, as printed in Musicalische Temperatur, Quedlinburg 1691";
    QVERIFY(form.openTuning(writeFile(path("long.scl"), justText(longName.toUtf8()))));
    const auto* label = child<QLabel>(form, "lbStemning");
    QVERIFY(label->text().endsWith(QChar(0x2026)));
    QVERIFY(label->geometry().right() < form.width());
    QCOMPARE(label->toolTip(), longName);
    QVERIFY(form.saveTuning(path("long again.scl")));
    QVERIFY(form.openTuning(path("long again.scl")));
    QCOMPARE(label->toolTip(), longName);
    QCOMPARE(label->accessibleName(), longName);
    form.renClick();
    QCOMPARE(label->toolTip(), QString());
    QCOMPARE(label->accessibleName(), QString());

    // A name too long for the caption but not for the message panel is written there whole.
    const QString midName = "Werckmeister III (1691)";
    QVERIFY(form.openTuning(writeFile(path("mid.scl"), justText(midName.toUtf8()))));
    QVERIFY(label->text().endsWith(QChar(0x2026)));
    form.BitBtn1Click();
    form.Timer3Timer(); // the pure triad
    form.Timer3Timer();
    QCOMPARE(labelText(form, "DuHoer"), "Du hører nu en E-durtreklang stemt i " + midName);
}

void TuningFilesTest::saveToAnUnwritablePlaceSaysWhy() {
    QVERIFY(QDir().mkpath(path("taken.scl/inside")));
    auto& [player, form] = *m_window;
    const QList<std::pair<QString, QString>> places = {
        {"gone/x.scl", "mappen »" + path("gone") + "« findes ikke"},
        {"taken.scl", "der er en mappe med det navn"},
        // The text is written beside it under a short name; the rename to one longer than the
        // system allows fails.
        {QString(300, 'a') + ".scl", "måske er navnet for langt"}};
    for (const auto& [target, reason] : places) {
        SeenBox seen;
        closeNextBox(seen);
        QVERIFY(!form.saveTuning(path(target)));
        QCOMPARE(seen.title, QString("Klangoraer1"));
        QVERIFY2(seen.text.contains(reason) && !seen.text.contains("disk"), qPrintable(seen.text));
    }
    QVERIFY(!QFileInfo::exists(path("gone")));
    QVERIFY(QFileInfo(path("taken.scl/inside")).isDir());
}

void TuningFilesTest::menuAndShortcutsReachTheDialogs() {
    auto& [player, form] = *m_window;
    writeFile(path("menu.scl"), justText("From the dialog"));

    // The background's menu offers both; knap12 keeps its own behaviour and shows none.
    QStringList offered;
    retryUntil([&offered] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) {
            return false;
        }
        for (QAction* action : menu->actions()) {
            offered << action->text();
        }
        menu->close();
        return true;
    });
    QContextMenuEvent background(QContextMenuEvent::Mouse, QPoint(450, 20),
                                 form.mapToGlobal(QPoint(450, 20)));
    QApplication::sendEvent(&form, &background);
    QCOMPARE(offered.mid(0, 3),
             (QStringList{"Åbn stemning …", "Gem stemning …", "Historiske stemninger"}));
    QVERIFY(offered.contains("Stop al lyd"));
    QVERIFY(offered.contains("Eksempler"));
    QContextMenuEvent onMark(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(5, 5));
    QApplication::sendEvent(mark(form, 1, 2), &onMark);
    QCOMPARE(QApplication::activePopupWidget(), nullptr);
    QCOMPARE(form.selection().selectedTone(), 1);

    // Ctrl+O opens the file chosen in a Danish dialog; Ctrl+S suggests a name from the caption
    // and adds .scl to a name that does not end so, also when it has a dot of its own.
    // Opening offers music files as well.
    const QStringList filters = {"Scala-stemning (*.scl)", "Scala-tastaturkort (*.kbm)",
                                 "AnaMark-stemning (*.tun)", "MTS-dump (*.syx)", "Alle filer (*)"};
    const QStringList openFilters = {
        "Stemninger, musik og lektioner (*.scl *.mid *.midi *.lektion)", "Scala-stemning (*.scl)",
        "MIDI-musik (*.mid *.midi)", "Lektion (*.lektion)", "Alle filer (*)"};
    QStringList shown;
    acceptNextFileDialog("menu.scl", shown);
    QVERIFY(keyWithControl(form, Qt::Key_O));
    QCOMPARE(shown, QStringList({"Åbn stemning", ""}) + openFilters);
    QCOMPARE(labelText(form, "lbStemning"), QString("From the dialog"));
    form.renClick();
    shown.clear();
    acceptNextFileDialog("Kirnberger ver. 2", shown);
    QVERIFY(keyWithControl(form, Qt::Key_S));
    QCOMPARE(shown, QStringList({"Gem stemning", "Ren stemning.scl"}) + filters);
    QVERIFY(QFileInfo::exists(path("Kirnberger ver. 2.scl")));

    // Whether to replace is asked about the file that would be written; "Annuller" keeps it.
    const QByteArray kept = "! min.stemning.scl\n";
    writeFile(path("min.stemning.scl"), kept);
    QString question;
    acceptNextFileDialog("min.stemning", shown);
    retryUntil([&question] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return false;
        }
        question = box->text();
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == "Annuller") {
                button->click();
            }
        }
        return true;
    });
    QVERIFY(keyWithControl(form, Qt::Key_S));
    QVERIFY2(question.contains("»min.stemning.scl«"), qPrintable(question));
    QFile old(path("min.stemning.scl"));
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), kept);
    QVERIFY(!QFileInfo::exists(path("min.stemning")));
}

QTEST_MAIN(TuningFilesTest)
#include "tuning_files_test.moc"
