// Takes the help's pictures from the program's own windows, once in Danish and once in English,
// each window in the language its help is written in, and scales them to the help window's
// width. Run from the build tree beside the examples, on the offscreen platform:
//   QT_QPA_PLATFORM=offscreen help_pictures docs
#include "support/recording_player.h"

#include "sound/instrument/live_instrument.h"
#include "ui/classroom/interface_language.h"
#include "ui/exercises/exercises_window.h"
#include "ui/exercises/tune_pure_page.h"
#include "ui/form1.h"
#include "ui/music/examples_menu.h"
#include "ui/music/music_session.h"
#include "ui/music/music_window.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

// Narrower than the help window's text column, with room for its scroll bar and margins.
constexpr int kPictureWidthPx = 560;
// The start-up timers lay the diagram out in fifths; a held key's message shows at once.
constexpr int kSettleMs = 400;

bool save(QWidget& window, const QString& path) {
    QImage picture = window.grab().toImage();
    if (picture.width() > kPictureWidthPx) {
        picture = picture.scaledToWidth(kPictureWidthPx, Qt::SmoothTransformation);
    }
    const bool saved = picture.save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

// The main window at start, the third C-E held with Space, the cadence in quarter-comma
// meantone in the music window, and a "Stem rent" round.
bool takePictures(const QDir& folder, const QString& language) {
    RecordingPlayer player;
    klangora::LiveInstrument instrument;
    TForm1 form(player, instrument);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) {
        return false;
    }
    QTest::qWait(kSettleMs);
    bool saved = save(form, folder.filePath("help-window-" + language + ".png"));
    form.knapMouseDown(1, 1);
    QTest::keyPress(form.windowHandle(), Qt::Key_Space);
    QTest::qWait(kSettleMs);
    saved = save(form, folder.filePath("help-playing-" + language + ".png")) && saved;
    QTest::keyRelease(form.windowHandle(), Qt::Key_Space);

    form.findChild<QPushButton*>("praet")->click();
    MusicWindow& music = form.music().window();
    form.music().open(QDir(examplesFolder()).filePath("kadence-kvintcirklen.mid"));
    music.show();
    QTest::qWait(kSettleMs);
    saved = save(music, folder.filePath("help-music-" + language + ".png")) && saved;
    music.hide();

    form.findChild<QAction*>("openExercisesAction")->trigger();
    auto* exercises = form.findChild<ExercisesWindow*>();
    exercises->showPage(exercises->tunePure());
    QTest::keyClick(exercises, Qt::Key_Return);
    QTest::qWait(kSettleMs);
    saved = save(*exercises, folder.filePath("help-exercises-" + language + ".png")) && saved;
    exercises->close();
    return saved;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // The user's settings are neither read nor changed.
    const QTemporaryDir configuration;
    qputenv("XDG_CONFIG_HOME", configuration.path().toUtf8());
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString("."));
    bool saved = true;
    for (const InterfaceLanguage language :
         {InterfaceLanguage::danish, InterfaceLanguage::english}) {
        const InterfaceLanguageScope scope(language);
        // Numbers as a reader of that language writes them: 261,6 in Danish, 261.6 in English.
        QLocale::setDefault(language == InterfaceLanguage::english
                                ? QLocale(QLocale::English, QLocale::UnitedKingdom)
                                : QLocale(QLocale::Danish, QLocale::Denmark));
        saved = takePictures(folder, language == InterfaceLanguage::english ? "en" : "da") && saved;
    }
    return saved ? 0 : 1;
}
