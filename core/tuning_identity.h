#pragma once

// What a tuning is: the learner's own, one of the seven temperament buttons, a temperament of
// the library, or a tuning file with its description. Its name in words is made where it is
// shown, so the identity speaks no language.
#include "core/presets.h"

#include <string>
#include <utility>

namespace klangora {

class TuningIdentity {
public:
    enum class Kind { own, preset, temperament, file };

    // The tuning after any tone was moved by hand.
    static TuningIdentity own() { return {}; }
    static TuningIdentity preset(PresetId id) {
        TuningIdentity identity;
        identity.m_kind = Kind::preset;
        identity.m_preset = id;
        return identity;
    }
    // A library temperament by its id ("vallotti", ...).
    static TuningIdentity temperament(std::string id) {
        return named(Kind::temperament, std::move(id));
    }
    // A tuning file by the description it carries (or its name, when it carries none), UTF-8.
    static TuningIdentity file(std::string description) {
        return named(Kind::file, std::move(description));
    }

    Kind kind() const { return m_kind; }
    PresetId presetId() const { return m_preset; }
    // The temperament's id or the file's description (UTF-8).
    const std::string& text() const { return m_text; }

    bool operator==(const TuningIdentity&) const = default;

private:
    static TuningIdentity named(Kind kind, std::string text) {
        TuningIdentity identity;
        identity.m_kind = kind;
        identity.m_text = std::move(text);
        return identity;
    }

    Kind m_kind = Kind::own;
    PresetId m_preset = PresetId::pyt;
    std::string m_text;
};

} // namespace klangora
