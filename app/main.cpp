#include "sound/instrument/live_instrument.h"
#include "sound/pulse_player.h"
#include "ui/classroom/classroom.h"
#include "ui/classroom/interface_language.h"
#include "ui/form1.h"
#include "ui/instrument/midi_keyboard.h"
#include "ui/sequence/responsive_player.h"
#include "ui/widgets/message_box.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTimer>

#include <cstdio>
#include <optional>

namespace {

// What the command line asks for: the window, perhaps with a tuning file to open once it shows,
// or an immediate end with this exit status (after --help, --version or a refusal).
struct Request {
    std::optional<int> exitStatus{};
    QString tuningFile{};
    // For a classroom's desktop shortcut: the zoom and full screen to start with.
    std::optional<int> zoomPercent{};
    bool fullScreen = false;
};

// Refusals end with status 2, the usual status of a command line a program does not understand.
constexpr int kUsageError = 2;

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

Request refuse(const QString& reason) {
    print(stderr, QCoreApplication::translate(
                      "klangora",
                      "klangora: %1\nSkriv »klangora --help« for at se, hvad programmet forstår.\n")
                      .arg(reason));
    return Request{.exitStatus = kUsageError};
}

Request readArguments(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "klangora", "Klangora: lyt til dur-treklange i forskellige stemninger.\n"
                    "Med en Scala-stemning (.scl) som argument åbnes den, når "
                    "vinduet vises."));
    const QCommandLineOption help(
        {"h", "help"}, QCoreApplication::translate("klangora", "Vis denne hjælp og afslut."));
    const QCommandLineOption version(
        {"v", "version"},
        QCoreApplication::translate("klangora", "Vis programmets version og afslut."));
    const QCommandLineOption zoom(
        "zoom",
        QCoreApplication::translate(
            "klangora", "Vis vinduet forstørret: 100, 125, 150, 175 eller 200 procent."),
        QCoreApplication::translate("klangora", "PROCENT"));
    const QCommandLineOption language(
        "lang",
        QCoreApplication::translate("klangora", "Vis programmet på dansk (da) eller engelsk (en)."),
        "da|en");
    const QCommandLineOption fullScreen(
        "fullscreen", QCoreApplication::translate("klangora", "Vis vinduet på hele skærmen."));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(zoom);
    parser.addOption(fullScreen);
    parser.addOption(language);
    parser.addPositionalArgument(
        QCoreApplication::translate("klangora", "FIL"),
        QCoreApplication::translate("klangora", "En Scala-stemning (.scl), der åbnes ved start."),
        QCoreApplication::translate("klangora", "[FIL]"));
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (unknown.isEmpty()) {
            return refuse(parser.errorText());
        }
        const QString name = unknown.constFirst();
        return refuse(QCoreApplication::translate("klangora", "ukendt tilvalg »%1%2«")
                          .arg(name.size() == 1 ? "-" : "--", name));
    }
    if (parser.isSet(help)) {
        print(stdout, parser.helpText());
        return Request{.exitStatus = 0};
    }
    if (parser.isSet(version)) {
        print(stdout, QStringLiteral("klangora %1\n").arg(KLANGORA_VERSION));
        return Request{.exitStatus = 0};
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        return refuse(
            QCoreApplication::translate("klangora", "kun én stemningsfil ad gangen, ikke %1")
                .arg(files.size()));
    }
    Request request{.tuningFile = files.isEmpty() ? QString() : files.constFirst()};
    if (parser.isSet(zoom)) {
        bool isNumber = false;
        const int percent = parser.value(zoom).toInt(&isNumber);
        if (!isNumber || !WindowZoom::isStep(percent)) {
            return refuse(
                QCoreApplication::translate(
                    "klangora", "--zoom skal være 100, 125, 150, 175 eller 200, ikke »%1«")
                    .arg(parser.value(zoom)));
        }
        request.zoomPercent = percent;
    }
    if (parser.isSet(language) && !languageFromArguments(arguments)) {
        return refuse(
            QCoreApplication::translate("klangora", "--lang skal være da eller en, ikke »%1«")
                .arg(parser.value(language)));
    }
    request.fullScreen = parser.isSet(fullScreen);
    return request;
}

// Danish, unless the command line or the user's last choice says English.
InterfaceLanguage startLanguage(const QStringList& arguments) {
    return languageFromArguments(arguments).value_or(Settings().language());
}

// The command line is read before the window system is reached, so --help, --version and a
// refusal work without a display.
Request readCommandLine(int argc, char* argv[]) {
    const QCoreApplication reader(argc, argv);
    const InterfaceLanguageScope language(startLanguage(QCoreApplication::arguments()));
    return readArguments(QCoreApplication::arguments());
}

int runWindow(int argc, char* argv[], const Request& request) {
    QApplication app(argc, argv);
    const InterfaceLanguageScope language(startLanguage(QCoreApplication::arguments()));
    QApplication::setApplicationName(kApplicationTitle);
    QApplication::setApplicationVersion(KLANGORA_VERSION);
    PulseAudioPlayer pulse;
    ResponsivePlayer player(pulse);
    const auto instrument = klangora::LiveInstrument::withPulseAudio();
    TForm1 form(player, *instrument);
    const MidiKeyboard midi(form, form.live());
    if (request.zoomPercent) {
        form.classroom().zoom().setPercent(*request.zoomPercent);
    }
    form.show();
    if (request.fullScreen) {
        form.classroom().zoom().toggleFullScreen();
    }
    if (const QString tuningFile = request.tuningFile; !tuningFile.isEmpty()) {
        // Once the window shows, so that a message about the file appears over it.
        QTimer::singleShot(0, &form, [&form, tuningFile] { form.openTuning(tuningFile); });
    }
    return QApplication::exec();
}

} // namespace

int main(int argc, char* argv[]) {
    const Request request = readCommandLine(argc, argv);
    if (request.exitStatus) {
        return *request.exitStatus;
    }
    return runWindow(argc, argv, request);
}
