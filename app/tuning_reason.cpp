#include "app/tuning_reason.h"

#include "core/music/temperament_names.h"
#include "ui/classroom/interface_language.h"

#include <QCoreApplication>

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("klangora", text);
}

} // namespace

// The Danish reasons come whole from the core, with the scale file's fault in detail; the other
// languages say the same in their own words.
QString tuningReasonText(const klangora::TuningNameError& error) {
    if (InterfaceLanguageScope::speaksDanish()) {
        return QString::fromStdString(klangora::tuningNameReason(error));
    }
    const QString name = QString::fromStdString(error.name);
    switch (error.kind) {
    case klangora::TuningNameError::Kind::unreadableFile:
        return tr("Stemningen »%1« kan ikke læses.").arg(name);
    case klangora::TuningNameError::Kind::notAScale:
        return tr("Stemningen »%1« kan ikke bruges: det er ikke en Scala-stemning med 12 toner "
                  "inden for 30 cent af den ligesvævende.")
            .arg(name);
    case klangora::TuningNameError::Kind::unknown:
        break;
    }
    return tr("Ukendt stemning »%1«. Brug en af %2, et id fra temperamentbiblioteket (%3) eller "
              "en .scl-fil.")
        .arg(name, QString::fromStdString(klangora::presetNamesText(false)),
             QString::fromStdString(klangora::libraryIdsText()));
}
