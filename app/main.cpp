#include "app/check_lesson_command.h"
#include "app/export_command.h"
#include "app/export_tuning_command.h"
#include "app/triads_command.h"
#include "app/tuning_reason.h"
#include "core/music/midi_file_reader.h"
#include "core/music/temperament_names.h"
#include "core/music/tuning_name.h"
#include "sound/fluid/instrument_sound_mix.h"
#include "sound/fluid/sound_render_command.h"
#include "sound/instrument/chord_voice_player.h"
#include "sound/instrument/live_instrument.h"
#include "sound/music/piece_scheduler.h"
#include "sound/music/render_command.h"
#include "sound/output/chosen_audio_output.h"
#include "ui/classroom/classroom.h"
#include "ui/classroom/interface_language.h"
#include "ui/form1.h"
#include "ui/instrument/midi_keyboard.h"
#include "ui/instrument/midi_out.h"
#include "ui/instrument/sound_choice.h"
#include "ui/instrument/sound_system_news.h"
#include "ui/lessons/lesson_files.h"
#include "ui/music/midi_file_reason_text.h"
#include "ui/music/music_session.h"
#include "ui/sequence/responsive_player.h"
#include "ui/session/session.h"
#include "ui/widgets/message_box.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTimer>

#include <cstdio>
#include <iostream>
#include <optional>
#include <utility>

namespace {

// What the command line asks for: the window, perhaps with a tuning file to open once it shows,
// or an immediate end with this exit status (after --help, --version or a refusal).
struct Request {
    std::optional<int> exitStatus;
    QString tuningFile;
    QString musicFile;  // a piece to open, from --play or as the file argument
    QString tuningName; // --tuning
    bool playAtOnce = false;
    std::optional<klangora::InstrumentSound> sound; // --sound; else the one remembered
    std::optional<std::filesystem::path> soundFont; // --soundfont
    // For a classroom's desktop shortcut: the zoom and full screen to start with.
    std::optional<int> zoomPercent;
    bool fullScreen = false;
    QString exportFile; // --export-diagram: the handout written, no window shown
    klangora::mts::SendMode midiOut = klangora::mts::kDefaultSendMode; // --midi-out
    klangora::AudioSystem audio = klangora::AudioSystem::automatic;    // --audio
};

Request ended(int exitStatus) {
    Request request;
    request.exitStatus = exitStatus;
    return request;
}

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
    return ended(kUsageError);
}

// A piece or a tuning name that cannot be used ends the program before any window opens.
constexpr int kMusicError = 1;

bool isMusicFileName(const QString& path) {
    return path.endsWith(".mid", Qt::CaseInsensitive) ||
           path.endsWith(".midi", Qt::CaseInsensitive);
}

std::optional<QString> musicProblem(const Request& request) {
    if (!request.tuningName.isEmpty()) {
        const auto tuning = klangora::resolveTuningName(request.tuningName.toStdString());
        if (const auto* error = std::get_if<klangora::TuningNameError>(&tuning)) {
            return tuningReasonText(*error);
        }
    }
    if (!request.musicFile.isEmpty()) {
        const auto piece =
            klangora::readMidiFile(std::filesystem::path(request.musicFile.toStdString()));
        if (const auto* error = std::get_if<klangora::MidiFileError>(&piece)) {
            return QCoreApplication::translate("klangora", "»%1« kan ikke spilles: %2")
                .arg(request.musicFile, midiFileReasonText(*error));
        }
    }
    return std::nullopt;
}

// Every name --tuning takes; the temperaments' Danish names where the help is Danish.
QString tuningOptionText() {
    const bool danish = InterfaceLanguageScope::speaksDanish();
    return QCoreApplication::translate("klangora",
                                       "Stemningen, vinduet og stykket begynder i: %1, et id fra "
                                       "temperamentbiblioteket (%2) eller en .scl-fil (uden: "
                                       "pythagorean).")
        .arg(QString::fromStdString(klangora::presetNamesText(danish)),
             QString::fromStdString(klangora::libraryIdsText()));
}

// What --render cannot do, told in the interface's language before the renderer, which knows no
// translation, is reached.
std::optional<QString> renderProblem(const QString& midiFile, const QString& tuningName,
                                     const QString& outputFile) {
    if (outputFile.isEmpty()) {
        return QCoreApplication::translate("klangora", "Angiv lydfilen med -o UD.wav.");
    }
    Request request;
    request.musicFile = midiFile;
    request.tuningName = tuningName;
    return musicProblem(request);
}

Request readArguments(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "klangora", "Klangora: lyt til dur-treklange i forskellige stemninger.\n"
                    "Med en Scala-stemning (.scl) som argument åbnes den, når vinduet vises."));
    const QCommandLineOption help(
        {"h", "help"}, QCoreApplication::translate("klangora", "Vis denne hjælp og afslut."));
    const QCommandLineOption version(
        {"v", "version"},
        QCoreApplication::translate("klangora", "Vis programmets version og afslut."));
    const QCommandLineOption play(
        "play", QCoreApplication::translate("klangora", "Åbn MIDI-filen FIL og spil den straks."),
        QCoreApplication::translate("klangora", "FIL"));
    const QCommandLineOption render(
        "render",
        QCoreApplication::translate(
            "klangora", "Gem MIDI-filen FIL som lyd (WAV, 48 kHz, 16 bit) uden vindue; kræver -o."),
        QCoreApplication::translate("klangora", "FIL"));
    const QCommandLineOption output(
        {"o", "output"}, QCoreApplication::translate("klangora", "Lydfilen, --render skriver."),
        QCoreApplication::translate("klangora", "UD.wav"));
    const QCommandLineOption tuning("tuning", tuningOptionText(),
                                    QCoreApplication::translate("klangora", "NAVN"));
    const QCommandLineOption triads(
        "triads",
        QCoreApplication::translate(
            "klangora",
            "Skriv for hver dur-treklang i musikken (.mid), hvor længe den klinger, og hvor langt "
            "dens terts og kvint ligger fra ren, og afslut."),
        QCoreApplication::translate("klangora", "FIL.mid"));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(play);
    parser.addOption(render);
    parser.addOption(output);
    parser.addOption(tuning);
    parser.addOption(triads);
    const QCommandLineOption checkLessonOption(
        "check-lesson",
        QCoreApplication::translate("klangora",
                                    "Læs lektionen FIL (.lektion) som programmet ville åbne den, "
                                    "sig hvad der er galt, linje for linje, og afslut."),
        QCoreApplication::translate("klangora", "FIL"));
    parser.addOption(checkLessonOption);
    const QCommandLineOption triadKind = triadKindOption();
    parser.addOption(triadKind);
    const QCommandLineOption exportFile = exportDiagramOption();
    parser.addOption(exportFile);
    const QCommandLineOption exportTuningOption(
        "export-tuning",
        QCoreApplication::translate("klangora",
                                    "Gem stemningen NAVN (som --tuning) i filen, -o giver: .scl, "
                                    ".kbm, .tun eller .syx, og afslut."),
        QCoreApplication::translate("klangora", "NAVN"));
    parser.addOption(exportTuningOption);
    const QCommandLineOption midiOut(
        "midi-out",
        QCoreApplication::translate(
            "klangora", "Send stemningen på MIDI ud som TILSTAND: scale2 (MTS skala, 2 byte), "
                        "scale1 (MTS skala, 1 byte), keys (MTS hver tangent) eller off (fra)."),
        QCoreApplication::translate("klangora", "TILSTAND"), "scale2");
    parser.addOption(midiOut);
    const QCommandLineOption audio(
        "audio",
        QCoreApplication::translate(
            "klangora", "Send lyden til SYSTEM: auto (JACK, hvis en JACK-server kører, ellers "
                        "PulseAudio), jack (JACK: få millisekunders forsinkelse, MIDI på "
                        "samplet) eller pulse (PulseAudio: 10-20 ms forsinkelse)."),
        QCoreApplication::translate("klangora", "SYSTEM"), "auto");
    parser.addOption(audio);
    const QCommandLineOption sound(
        "sound",
        QCoreApplication::translate("klangora",
                                    "Start med klangen KLANG: own (eget klangbillede), harpsichord "
                                    "(cembalo), organ (kirkeorgel) eller piano (klaver)."),
        QCoreApplication::translate("klangora", "KLANG"), "own");
    parser.addOption(sound);
    const QCommandLineOption soundFont(
        "soundfont",
        QCoreApplication::translate(
            "klangora",
            "Brug lydfonten FIL (.sf2 eller .sf3) til instrumenterne (også med --render)."),
        QCoreApplication::translate("klangora", "FIL"));
    parser.addOption(soundFont);
    const QCommandLineOption zoom(
        "zoom",
        QCoreApplication::translate(
            "klangora",
            "Vis vinduet i en anden størrelse: 75, 90, 100, 125, 150, 175 eller 200 procent."),
        QCoreApplication::translate("klangora", "PROCENT"));
    const QCommandLineOption fullScreen(
        "fullscreen", QCoreApplication::translate("klangora", "Vis vinduet på hele skærmen."));
    const QCommandLineOption language(
        "lang",
        QCoreApplication::translate("klangora", "Vis programmet på dansk (da) eller engelsk (en)."),
        "da|en");
    parser.addOption(zoom);
    parser.addOption(fullScreen);
    parser.addOption(language);
    parser.addPositionalArgument(
        QCoreApplication::translate("klangora", "FIL"),
        QCoreApplication::translate(
            "klangora",
            "En Scala-stemning (.scl), et stykke musik (.mid) eller en lektion (.lektion), der "
            "åbnes ved start."),
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
        return ended(0);
    }
    if (parser.isSet(version)) {
        print(stdout, QStringLiteral("klangora %1\n").arg(KLANGORA_VERSION));
        return ended(0);
    }
    const auto chosenSound =
        klangora::instrumentSoundFromCommandName(parser.value(sound).toStdString());
    if (!chosenSound) {
        return refuse(QCoreApplication::translate(
                          "klangora", "ukendt klang »%1«; vælg own, harpsichord, organ eller piano")
                          .arg(parser.value(sound)));
    }
    const auto chosenFont =
        parser.isSet(soundFont)
            ? std::optional<std::filesystem::path>(parser.value(soundFont).toStdString())
            : std::nullopt;
    if (parser.isSet(render)) {
        if (const auto problem =
                renderProblem(parser.value(render), parser.value(tuning), parser.value(output))) {
            print(stderr, QStringLiteral("klangora: %1\n").arg(*problem));
            return ended(kMusicError);
        }
        return ended(klangora::runSoundRenderCommand({parser.value(render).toStdString(),
                                                      parser.value(tuning).toStdString(),
                                                      parser.value(output).toStdString()},
                                                     *chosenSound, chosenFont, std::cerr));
    }
    if (parser.isSet(checkLessonOption)) {
        return ended(checkLesson(parser.value(checkLessonOption)));
    }
    if (parser.isSet(exportTuningOption)) {
        return ended(exportTuning(parser.value(exportTuningOption), parser.value(output)));
    }
    if (parser.isSet(triads)) {
        return ended(
            printTriads(parser.value(triads), parser.value(tuning), parser.value(triadKind)));
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        return refuse(
            QCoreApplication::translate("klangora", "kun én stemningsfil ad gangen, ikke %1")
                .arg(files.size()));
    }
    Request request;
    request.soundFont = chosenFont;
    if (parser.isSet(sound)) {
        request.sound = *chosenSound;
    }
    request.tuningFile = files.isEmpty() ? QString() : files.constFirst();
    if (isMusicFileName(request.tuningFile)) {
        request.musicFile = std::exchange(request.tuningFile, {});
    }
    if (parser.isSet(play)) {
        request.musicFile = parser.value(play);
        request.playAtOnce = true;
    }
    request.tuningName = parser.value(tuning);
    if (parser.isSet(zoom)) {
        bool isNumber = false;
        const int percent = parser.value(zoom).toInt(&isNumber);
        if (!isNumber || !WindowZoom::isStep(percent)) {
            return refuse(
                QCoreApplication::translate(
                    "klangora", "--zoom skal være 75, 90, 100, 125, 150, 175 eller 200, ikke »%1«")
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
    request.exportFile = parser.value(exportFile);
    const auto midiOutMode =
        klangora::mts::sendModeFromCommandName(parser.value(midiOut).toStdString());
    if (!midiOutMode) {
        return refuse(
            QCoreApplication::translate(
                "klangora", "--midi-out skal være scale2, scale1, keys eller off, ikke »%1«")
                .arg(parser.value(midiOut)));
    }
    request.midiOut = *midiOutMode;
    const auto audioSystem =
        klangora::audioSystemFromCommandName(parser.value(audio).toStdString());
    if (!audioSystem) {
        return refuse(QCoreApplication::translate(
                          "klangora", "--audio skal være auto, jack eller pulse, ikke »%1«")
                          .arg(parser.value(audio)));
    }
    request.audio = *audioSystem;
    if (const auto problem = musicProblem(request)) {
        print(stderr, QStringLiteral("klangora: %1\n").arg(*problem));
        return ended(kMusicError);
    }
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

// The handout drawn on the offscreen platform, so that no display is needed.
int runExport(int argc, char* argv[], const Request& request) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QApplication app(argc, argv);
    const InterfaceLanguageScope language(startLanguage(QCoreApplication::arguments()));
    return exportDiagram(request.exportFile, request.tuningName, request.zoomPercent.value_or(100));
}

int runWindow(int argc, char* argv[], const Request& request) {
    QApplication app(argc, argv);
    const InterfaceLanguageScope language(startLanguage(QCoreApplication::arguments()));
    QApplication::setApplicationName(kApplicationTitle);
    QApplication::setApplicationVersion(KLANGORA_VERSION);
    // FluidSynth's instruments and the volume ride in the instrument's callback; declared first,
    // they outlive the output's audio thread. No font is read until an instrument is chosen.
    klangora::FluidRenderer fluid;
    klangora::OutputVolume volume;
    klangora::InstrumentSoundMix mix(fluid, volume);
    const auto instrument = std::make_unique<klangora::LiveInstrument>(
        klangora::chosenAudioOutput(request.audio, SoundSystemNews::rememberedPulseLatencyMs()));
    instrument->synth().setExtraRenderer(&mix);
    klangora::ChordVoicePlayer chords(instrument->synth().chordVoice(), instrument->output());
    ResponsivePlayer player(chords);
    Session session(player, *instrument);
    TForm1 form(session);
    SoundChoice soundChoice(form, fluid, volume);
    soundChoice.setOutputWaker([&instrument] { instrument->output()->open(); });
    if (request.soundFont) {
        fluid.chooseSoundFont(*request.soundFont);
    }
    form.setSoundChoice(&soundChoice, request.sound); // --sound for this run only
    MidiKeyboard midi(form, form.live());
    MidiOut midiOut(form,
                    {form.model(), *instrument, midi.input(), volume,
                     &form.session().pieceScheduler().midiQueue()},
                    request.midiOut);
    form.setMidiOut(&midiOut);
    SoundSystemNews soundNews(&form, *instrument->output(), session.messages());
    form.describeSoundSystem(soundNews);
    MusicSession& music = form.music();
    if (request.zoomPercent) {
        form.classroom().zoom().setPercent(*request.zoomPercent);
    }
    form.show();
    if (request.fullScreen) {
        form.classroom().zoom().toggleFullScreen();
    }
    // After the start-up, as the tuning's button or menu entry would be chosen; a tuning file
    // named too comes after it.
    QTimer::singleShot(0, &form, [&music, &request] {
        music.startWith(request.tuningName, request.musicFile, request.playAtOnce);
    });
    if (!request.tuningFile.isEmpty()) {
        // Once the window shows, so that a message about the file appears over it.
        QTimer::singleShot(0, &form, [&form, file = request.tuningFile] {
            isLessonFile(file) ? form.openLesson(file) : form.openTuning(file);
        });
    }
    return QApplication::exec();
}

} // namespace

int main(int argc, char* argv[]) {
    const Request request = readCommandLine(argc, argv);
    if (request.exitStatus) {
        return *request.exitStatus;
    }
    if (!request.exportFile.isEmpty()) {
        return runExport(argc, argv, request);
    }
    return runWindow(argc, argv, request);
}
