#include "sound/fluid/instrument_sound_mix.h"
#include "sound/instrument/live_instrument.h"
#include "sound/pulse_player.h"
#include "ui/form1.h"
#include "ui/instrument/midi_keyboard.h"
#include "ui/instrument/sound_choice.h"
#include "ui/sequence/responsive_player.h"
#include "ui/texts/danish_qt_texts.h"
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
    std::optional<int> exitStatus;
    QString tuningFile;
    klangora::InstrumentSound sound = klangora::InstrumentSound::own;
};

// Refusals end with status 2, the usual status of a command line a program does not understand.
constexpr int kUsageError = 2;

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

Request refuse(const QString& reason) {
    print(stderr, QStringLiteral("klangora: %1\nSkriv »klangora --help« for at se, hvad "
                                 "programmet forstår.\n")
                      .arg(reason));
    return {kUsageError, {}};
}

Request readArguments(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Klangora: lyt til dur-treklange i forskellige stemninger.\n"
        "Med en Scala-stemning (.scl) som argument åbnes den, når vinduet vises.");
    const QCommandLineOption help({"h", "help"}, "Vis denne hjælp og afslut.");
    const QCommandLineOption version({"v", "version"}, "Vis programmets version og afslut.");
    const QCommandLineOption sound("sound",
                                   "Start med klangen KLANG: own (eget klangbillede), harpsichord "
                                   "(cembalo), organ (kirkeorgel) eller piano (klaver).",
                                   "KLANG", "own");
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(sound);
    parser.addPositionalArgument("FIL", "En Scala-stemning (.scl), der åbnes ved start.", "[FIL]");
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (unknown.isEmpty()) {
            return refuse(parser.errorText());
        }
        const QString name = unknown.constFirst();
        return refuse(
            QStringLiteral("ukendt tilvalg »%1%2«").arg(name.size() == 1 ? "-" : "--", name));
    }
    if (parser.isSet(help)) {
        print(stdout, parser.helpText());
        return {0, {}};
    }
    if (parser.isSet(version)) {
        print(stdout, QStringLiteral("klangora %1\n").arg(KLANGORA_VERSION));
        return {0, {}};
    }
    const auto chosenSound =
        klangora::instrumentSoundFromCommandName(parser.value(sound).toStdString());
    if (!chosenSound) {
        return refuse(QStringLiteral("ukendt klang »%1«; vælg own, harpsichord, organ eller piano")
                          .arg(parser.value(sound)));
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        return refuse(QStringLiteral("kun én stemningsfil ad gangen, ikke %1").arg(files.size()));
    }
    return {std::nullopt, files.isEmpty() ? QString() : files.constFirst(), *chosenSound};
}

// The command line is read before the window system is reached, so --help, --version and a
// refusal work without a display.
Request readCommandLine(int argc, char* argv[]) {
    const QCoreApplication reader(argc, argv);
    const DanishQtTexts danish;
    return readArguments(QCoreApplication::arguments());
}

int runWindow(int argc, char* argv[], const QString& tuningFile, klangora::InstrumentSound sound) {
    QApplication app(argc, argv);
    const DanishQtTexts danish;
    QApplication::setApplicationName(kApplicationTitle);
    QApplication::setApplicationVersion(KLANGORA_VERSION);
    PulseAudioPlayer pulse;
    ResponsivePlayer player(pulse);
    // FluidSynth's instruments and the volume ride in the instrument's callback; declared first,
    // they outlive the output's audio thread. No font is read until an instrument is chosen.
    klangora::FluidRenderer fluid;
    klangora::OutputVolume volume;
    klangora::InstrumentSoundMix mix(fluid, volume);
    const auto instrument = klangora::LiveInstrument::withPulseAudio();
    instrument->synth().setExtraRenderer(&mix);
    TForm1 form(player, *instrument);
    SoundChoice soundChoice(form, fluid, volume);
    form.setSoundChoice(&soundChoice);
    soundChoice.setOutputWaker([&instrument] { instrument->output()->wake(); });
    soundChoice.choose(sound);
    const MidiKeyboard midi(form, form.live());
    form.show();
    if (!tuningFile.isEmpty()) {
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
    return runWindow(argc, argv, request.tuningFile, request.sound);
}
