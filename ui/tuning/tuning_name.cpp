// Tuning names: the buttons' own captions, the library's names, a file's description.
#include "ui/tuning/tuning_name.h"

#include "core/historical_temperaments.h"

#include <QCoreApplication>

#include <string>

namespace {

// The presets' names live in the core, which knows no translation; they are named here so that
// the translation tools find them.
[[maybe_unused]] constexpr const char* kPresetTexts[] = {
    QT_TRANSLATE_NOOP("klangora", "Pythagoræisk"),
    QT_TRANSLATE_NOOP("klangora", "Pythagoræisk stemning"),
    QT_TRANSLATE_NOOP("klangora", "Ren"),
    QT_TRANSLATE_NOOP("klangora", "Ren stemning"),
    QT_TRANSLATE_NOOP("klangora", "Prætoriansk"),
    QT_TRANSLATE_NOOP("klangora", "Prætoriansk stemning"),
    QT_TRANSLATE_NOOP("klangora", "Ligesvævende"),
    QT_TRANSLATE_NOOP("klangora", "Ligesvævende stemning"),
    // The library's names that are Danish words.
    QT_TRANSLATE_NOOP("klangora", "1/6-komma middeltone"),
    QT_TRANSLATE_NOOP("klangora", "1/5-komma middeltone"),
};

} // namespace

QString tuningName(const TuningIdentity& identity) {
    using Kind = TuningIdentity::Kind;
    switch (identity.kind()) {
    case Kind::own:
        return QCoreApplication::translate("klangora", "Din Egen Stemning!");
    case Kind::preset:
        return QCoreApplication::translate(
            "klangora", klangora::presetInfo(identity.presetId()).stemningText.data());
    case Kind::temperament:
        for (const klangora::HistoricalTemperament& temperament :
             klangora::kHistoricalTemperaments) {
            if (temperament.id == identity.text()) {
                return QCoreApplication::translate("klangora",
                                                   std::string(temperament.caption).c_str());
            }
        }
        return QString::fromStdString(identity.text());
    case Kind::file:
        break;
    }
    return QString::fromStdString(identity.text());
}
