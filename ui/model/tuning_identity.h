#pragma once

// What the current tuning is, as a value: the learner's own, one of the seven temperament
// buttons, a temperament of the library, or a tuning file with its description. Its name in
// words is made where it is shown, so the model speaks no language.
#include "core/presets.h"

#include <QString>

class TuningIdentity {
public:
    enum class Kind { own, preset, temperament, file };

    // The tuning after any tone was moved by hand.
    static TuningIdentity own() { return {}; }
    static TuningIdentity preset(klangora::PresetId id) {
        TuningIdentity identity;
        identity.m_kind = Kind::preset;
        identity.m_preset = id;
        return identity;
    }
    // A library temperament by its id ("vallotti", ...).
    static TuningIdentity temperament(const QString& id) { return named(Kind::temperament, id); }
    // A tuning file by the description it carries (or its name, when it carries none).
    static TuningIdentity file(const QString& description) {
        return named(Kind::file, description);
    }

    Kind kind() const { return m_kind; }
    klangora::PresetId presetId() const { return m_preset; }
    // The temperament's id or the file's description.
    const QString& text() const { return m_text; }

    bool operator==(const TuningIdentity&) const = default;

private:
    static TuningIdentity named(Kind kind, const QString& text) {
        TuningIdentity identity;
        identity.m_kind = kind;
        identity.m_text = text;
        return identity;
    }

    Kind m_kind = Kind::own;
    klangora::PresetId m_preset = klangora::PresetId::pyt;
    QString m_text;
};
