#include "app/triads_command.h"

#include "core/music/midi_file_reader.h"
#include "core/music/piece_notes.h"
#include "core/music/triad_report.h"
#include "core/music/tuning_name.h"

#include <QFile>
#include <QLocale>

#include <cstdio>
#include <filesystem>
#include <variant>

namespace {

constexpr int kCannotRead = 1;

int fail(const QString& reason) {
    std::fputs(QStringLiteral("klangora: %1\n").arg(reason).toLocal8Bit().constData(), stderr);
    return kCannotRead;
}

} // namespace

int printTriads(const QString& midiFile, const QString& tuningName) {
    // Without a name, the tuning the program starts in.
    const auto tuning = klangora::resolveTuningName(
        tuningName.isEmpty() ? std::string(klangora::kDefaultTuningName)
                             : QFile::encodeName(tuningName).toStdString());
    if (const auto* error = std::get_if<klangora::TuningNameError>(&tuning)) {
        return fail(QString::fromStdString(klangora::tuningNameReason(*error)));
    }
    const auto piece =
        klangora::readMidiFile(std::filesystem::path(QFile::encodeName(midiFile).toStdString()));
    if (const auto* error = std::get_if<klangora::MidiFileError>(&piece)) {
        return fail(QStringLiteral("%1: %2").arg(
            midiFile, QString::fromStdString(klangora::midiFileReason(*error))));
    }
    // Written with a point, which no other character of the report is, then given the user's
    // decimal separator, whatever character that is.
    const std::string report =
        klangora::music::triadReport(klangora::music::triadTimes(std::get<klangora::Piece>(piece)),
                                     std::get<klangora::NamedTuning>(tuning).tuning, '.');
    const QString text =
        QString::fromStdString(report).replace('.', QLocale::system().decimalPoint());
    std::fputs(text.toLocal8Bit().constData(), stdout);
    return 0;
}
