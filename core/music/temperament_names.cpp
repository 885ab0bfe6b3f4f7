#include "core/music/temperament_names.h"

#include "core/historical_temperaments.h"

#include <array>

namespace klangora {

namespace {

struct PresetNames {
    PresetId id;
    std::string_view english;
    std::string_view danish; // the button's name, where it is a word of its own
    std::string_view oldId;  // the button's id
    // The Danish name without Danish letters, for keyboards and scripts that have none:
    // understood, not offered.
    std::string_view plainDanish;

    std::array<std::string_view, 4> all() const { return {english, danish, oldId, plainDanish}; }
};

constexpr std::array<PresetNames, 7> kPresetNames = {{
    {PresetId::pyt, "pythagorean", "pythagoræisk", "pyt", "pythagoraeisk"},
    {PresetId::ren, "just", "ren", "ren", {}},
    {PresetId::praet, "meantone", "prætoriansk", "praet", "praetoriansk"},
    {PresetId::bach, "welltempered", "wohltemperierte", "bach", {}},
    {PresetId::werck1, "werckmeister3", {}, "werck1", {}},
    {PresetId::werck3, "werckmeister5", {}, "werck3", {}},
    {PresetId::lige, "equal", "ligesvævende", "lige", "ligesvaevende"},
}};

// The UTF-8 lead byte of the Latin-1 letters À..Þ (Æ, Ø, Å among them); their small letters
// follow 32 places later in the second byte.
constexpr unsigned char kLatin1Lead = 0xC3;
constexpr unsigned char kFirstCapital = 0x80;
constexpr unsigned char kLastCapital = 0x9E;
constexpr unsigned char kMultiplicationSign = 0x97;
constexpr unsigned char kCaseOffset = 0x20;

std::string folded(std::string_view name) {
    std::string text(name);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 'A' && byte <= 'Z') {
            text[i] = static_cast<char>(byte + kCaseOffset);
        } else if (byte == kLatin1Lead && i + 1 < text.size()) {
            const auto next = static_cast<unsigned char>(text[++i]);
            if (next >= kFirstCapital && next <= kLastCapital && next != kMultiplicationSign) {
                text[i] = static_cast<char>(next + kCaseOffset);
            }
        }
    }
    return text;
}

} // namespace

bool sameName(std::string_view a, std::string_view b) {
    return folded(a) == folded(b);
}

std::optional<PresetId> presetNamed(std::string_view name) {
    for (const PresetNames& preset : kPresetNames) {
        for (const std::string_view known : preset.all()) {
            if (!known.empty() && sameName(known, name)) {
                return preset.id;
            }
        }
    }
    return std::nullopt;
}

std::string presetNamesText(bool withDanishNames) {
    std::string text;
    for (const PresetNames& preset : kPresetNames) {
        text.append(text.empty() ? "" : ", ").append(preset.english);
        if (withDanishNames && !preset.danish.empty() && preset.danish != preset.oldId) {
            text.append("/").append(preset.danish);
        }
        text.append("/").append(preset.oldId);
    }
    return text;
}

std::string libraryIdsText() {
    std::string text;
    for (const HistoricalTemperament& temperament : kHistoricalTemperaments) {
        text.append(text.empty() ? "" : ", ").append(temperament.id);
    }
    return text;
}

} // namespace klangora
