#include "app/export_command.h"
#include "app/tuning_reason.h"

#include "core/music/tuning_name.h"
#include "ui/export/handout.h"
#include "ui/tuning/tuning_name.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <string>
#include <variant>

namespace {

constexpr int kCannotWrite = 1;
constexpr int kUsageError = 2;

int fail(const QString& reason, int status) {
    std::fputs(QStringLiteral("klangora: %1\n").arg(reason).toLocal8Bit().constData(), stderr);
    return status;
}

} // namespace

QCommandLineOption exportDiagramOption() {
    return {
        "export-diagram",
        QCoreApplication::translate(
            "klangora",
            "Gem stemningens diagram med aflæsningerne og tonernes tabel som FIL (.pdf, .svg "
            "eller .png, med --zoom i den størrelse) eller tabellen alene (.csv), uden vindue."),
        QCoreApplication::translate("klangora", "FIL")};
}

int exportDiagram(const QString& fileName, const QString& tuningName, int zoomPercent) {
    if (!handoutFormat(fileName)) {
        return fail(QCoreApplication::translate(
                        "klangora", "--export-diagram skal have en fil, der ender på .pdf, .svg, "
                                    ".png eller .csv, ikke »%1«")
                        .arg(fileName),
                    kUsageError);
    }
    // Without a name, the tuning the program starts in.
    const auto named = klangora::resolveTuningName(
        tuningName.isEmpty() ? std::string(klangora::kDefaultTuningName)
                             : QFile::encodeName(tuningName).toStdString());
    if (const auto* error = std::get_if<klangora::TuningNameError>(&named)) {
        return fail(tuningReasonText(*error), kCannotWrite);
    }
    Handout handout;
    handout.tuning = std::get<klangora::NamedTuning>(named).tuning;
    handout.tuningName = ::tuningName(handout.tuning.identity());
    const QString problem = writeHandout(handout, fileName, zoomPercent / 100.0);
    return problem.isEmpty() ? 0
                             : fail(QStringLiteral("%1: %2").arg(fileName, problem), kCannotWrite);
}
