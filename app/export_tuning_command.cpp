#include "app/export_tuning_command.h"
#include "app/tuning_reason.h"

#include "core/mts/synth_tuning_files.h"
#include "core/music/tuning_name.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>
#include <variant>

namespace {

constexpr int kCannotWrite = 1;

int fail(const QString& reason) {
    std::fputs(QStringLiteral("klangora: %1\n").arg(reason).toLocal8Bit().constData(), stderr);
    return kCannotWrite;
}

} // namespace

int exportTuning(const QString& tuningName, const QString& outputFile) {
    const std::string fileName = QFileInfo(outputFile).fileName().toStdString();
    const auto format = klangora::synthTuningFormatOf(fileName);
    if (outputFile.isEmpty() || !format) {
        return fail(QCoreApplication::translate(
            "klangora", "Angiv stemningsfilen med -o FIL.scl, FIL.kbm, FIL.tun eller FIL.syx."));
    }
    const auto tuning = klangora::resolveTuningName(QFile::encodeName(tuningName).toStdString());
    if (const auto* error = std::get_if<klangora::TuningNameError>(&tuning)) {
        return fail(tuningReasonText(*error));
    }
    const auto& named = std::get<klangora::NamedTuning>(tuning);
    const std::string text =
        klangora::synthTuningFile(*format, fileName, named.caption, named.tuning);
    QSaveFile file(outputFile);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size()) ||
        !file.commit()) {
        return fail(
            QCoreApplication::translate("klangora", "»%1« kan ikke skrives.").arg(outputFile));
    }
    return 0;
}
