#include "app/triads_command.h"
#include "app/tuning_reason.h"

#include "core/music/midi_file_reader.h"
#include "core/music/piece_notes.h"
#include "core/music/triad_report.h"
#include "core/music/tuning_name.h"
#include "ui/model/musical_facts.h"
#include "ui/music/midi_file_reason_text.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <variant>

using klangora::music::TriadChoice;

namespace {

constexpr int kCannotRead = 1;
constexpr int kUsageError = 2;

// The option's words; none is the major triads alone, as the report has always been.
std::optional<TriadChoice> triadChoice(const QString& kind) {
    if (kind.isEmpty() || kind == "major") {
        return TriadChoice::major;
    }
    if (kind == "minor") {
        return TriadChoice::minor;
    }
    if (kind == "both") {
        return TriadChoice::both;
    }
    return std::nullopt;
}

int fail(const QString& reason) {
    std::fputs(QStringLiteral("klangora: %1\n").arg(reason).toLocal8Bit().constData(), stderr);
    return kCannotRead;
}

// The report's words in the interface's language: the triads named as the window's triad
// table names them (H is B in English).
klangora::music::TriadReportWords reportWords() {
    klangora::music::TriadReportWords words;
    for (int root = 0; root < 12; ++root) {
        const QString note = QCoreApplication::translate("klangora", music::noteName(root + 1));
        words.triadNames[static_cast<std::size_t>(root)] =
            QCoreApplication::translate("TriadTable", "%1-dur").arg(note).toStdString();
        words.minorTriadNames[static_cast<std::size_t>(root)] =
            QCoreApplication::translate("TriadTable", "%1-mol").arg(note).toStdString();
    }
    words.third = QCoreApplication::translate("klangora", "terts").toStdString();
    words.fifth = QCoreApplication::translate("klangora", "kvint").toStdString();
    return words;
}

} // namespace

QCommandLineOption triadKindOption() {
    return {"triad-kind",
            QCoreApplication::translate(
                "klangora", "Hvilke treklange --triads skriver: major (dur, som uden), minor "
                            "(mol) eller both (begge)."),
            "major|minor|both"};
}

int printTriads(const QString& midiFile, const QString& tuningName, const QString& kind) {
    const auto choice = triadChoice(kind);
    if (!choice) {
        fail(QCoreApplication::translate(
                 "klangora", "--triad-kind skal være major, minor eller both, ikke »%1«")
                 .arg(kind));
        return kUsageError;
    }
    // Without a name, the tuning the program starts in.
    const auto tuning = klangora::resolveTuningName(
        tuningName.isEmpty() ? std::string(klangora::kDefaultTuningName)
                             : QFile::encodeName(tuningName).toStdString());
    if (const auto* error = std::get_if<klangora::TuningNameError>(&tuning)) {
        return fail(tuningReasonText(*error));
    }
    const auto piece =
        klangora::readMidiFile(std::filesystem::path(QFile::encodeName(midiFile).toStdString()));
    if (const auto* error = std::get_if<klangora::MidiFileError>(&piece)) {
        return fail(QStringLiteral("%1: %2").arg(midiFile, midiFileReasonText(*error)));
    }
    // Written with a point, which no other character of the report is, then given the user's
    // decimal separator, whatever character that is.
    const std::string report = klangora::music::triadReport(
        klangora::music::triadTimes(std::get<klangora::Piece>(piece)),
        std::get<klangora::NamedTuning>(tuning).tuning, '.', reportWords(), *choice);
    const QString text =
        QString::fromStdString(report).replace('.', QLocale::system().decimalPoint());
    std::fputs(text.toLocal8Bit().constData(), stdout);
    return 0;
}
