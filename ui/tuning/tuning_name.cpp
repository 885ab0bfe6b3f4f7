// Tuning names: the buttons' own captions, the library's names, a file's description.
#include "ui/tuning/tuning_name.h"

#include "core/historical_temperaments.h"

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QString tuningName(const TuningIdentity& identity) {
    using Kind = TuningIdentity::Kind;
    switch (identity.kind()) {
    case Kind::own:
        return QString::fromUtf8("Din Egen Stemning!");
    case Kind::preset:
        return fromUtf8(klangora::presetInfo(identity.presetId()).stemningText);
    case Kind::temperament:
        for (const klangora::HistoricalTemperament& temperament :
             klangora::kHistoricalTemperaments) {
            if (fromUtf8(temperament.id) == identity.text()) {
                return fromUtf8(temperament.caption);
            }
        }
        return identity.text();
    case Kind::file:
        break;
    }
    return identity.text();
}
