// The remembered settings across runs of their own: a child process of this test changes the
// zoom and the language as a user does, and the next child starts with them. Every run has its
// own configuration folder and its own home, so the real ones are never read or written.
#include "support/window_test_support.h"

#include "ui/classroom/classroom.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kChildFlag = "--child";

// What a child run does: "start" only opens the window; "zoom" presses Ctrl++ twice; "english"
// chooses English; every run prints the zoom and language it started with.
int runChild(const QString& action) {
    TestWindow window;
    auto& [player, form] = window;
    Classroom& classroom = form.classroom();
    std::printf("%d %s\n", classroom.zoom().percent(),
                classroom.settings().language() == InterfaceLanguage::english ? "en" : "da");
    form.show();
    if (!QTest::qWaitForWindowActive(&form)) {
        return 3;
    }
    if (action == "zoom") {
        QTest::keyClick(form.windowHandle(), Qt::Key_Plus, Qt::ControlModifier);
        QTest::keyClick(form.windowHandle(), Qt::Key_Plus, Qt::ControlModifier);
    } else if (action == "english") {
        classroom.settings().setLanguage(InterfaceLanguage::english);
    }
    return 0;
}

} // namespace

class SettingsTest : public QObject {
    Q_OBJECT

private slots:
    void testsKeepToAConfigurationFolderOfTheirOwn();
    void aChangeIsReadInTheNextRun_data();
    void aChangeIsReadInTheNextRun();
    void nothingIsWrittenUntilTheUserChangesSomething();

private:
    // Runs a child in these folders; returns what it printed, or an empty string on failure.
    QString runChildIn(const QString& configHome, const QString& home, const QString& action);
};

QString SettingsTest::runChildIn(const QString& configHome, const QString& home,
                                 const QString& action) {
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", configHome);
    environment.insert("HOME", home);
    environment.insert("QT_QPA_PLATFORM", "offscreen:configfile=" KLANGORA_SCREENS);
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {kChildFlag, action});
    if (!child.waitForFinished(30000) || child.exitCode() != 0) {
        qWarning() << child.readAllStandardError();
        return {};
    }
    return QString::fromUtf8(child.readAllStandardOutput()).trimmed();
}

void SettingsTest::testsKeepToAConfigurationFolderOfTheirOwn() {
    // CTest gives every test a configuration folder in the build tree.
    const QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    QVERIFY2(!configHome.isEmpty(), "XDG_CONFIG_HOME is not set for the tests");
    QVERIFY(QDir(configHome).canonicalPath() !=
            QDir(QDir::homePath() + "/.config").canonicalPath());
    QVERIFY2(Settings().fileName().startsWith(configHome), qPrintable(Settings().fileName()));
}

void SettingsTest::aChangeIsReadInTheNextRun_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("next");
    QTest::newRow("zoom") << "zoom"
                          << "150 da";
    QTest::newRow("language") << "english"
                              << "100 en";
}

void SettingsTest::aChangeIsReadInTheNextRun() {
    QFETCH(QString, action);
    QFETCH(QString, next);
    const QTemporaryDir configHome;
    const QTemporaryDir home;
    QCOMPARE(runChildIn(configHome.path(), home.path(), action), QString("100 da"));
    QCOMPARE(runChildIn(configHome.path(), home.path(), "start"), next);
    QVERIFY(QFile::exists(configHome.path() + "/klangora/klangora.conf"));
    // The home's own configuration folder is never made.
    QVERIFY(!QDir(home.path() + "/.config").exists());
}

void SettingsTest::nothingIsWrittenUntilTheUserChangesSomething() {
    const QTemporaryDir configHome;
    const QTemporaryDir home;
    QCOMPARE(runChildIn(configHome.path(), home.path(), "start"), QString("100 da"));
    QVERIFY(QDir(configHome.path()).isEmpty());
}

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], kChildFlag) == 0) {
        return runChild(QString::fromUtf8(argv[2]));
    }
    SettingsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "settings_test.moc"
