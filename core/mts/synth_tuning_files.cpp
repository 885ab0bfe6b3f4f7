#include "core/mts/synth_tuning_files.h"

#include "core/mts/midi_tuning_messages.h"
#include "core/scala_scale.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace klangora {

namespace {

std::string oneLine(std::string_view text) {
    std::string line(text);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return line;
}

// Locale-free fixed-point text: the C library's %f would follow a Danish decimal comma.
std::string fixed(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const long long units = std::llround(std::fabs(value) * scale);
    const long long whole = units / static_cast<long long>(scale);
    std::string fraction = std::to_string(units % static_cast<long long>(scale));
    fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), '0');
    std::string text = value < 0 && units != 0 ? "-" : "";
    text += std::to_string(whole);
    text += '.';
    text += fraction;
    return text;
}

double centsAboveAnaMarkBase(const Tuning& tuning, int note) {
    return 1200.0 * std::log2(tuning.frequencyHz(note) / kAnaMarkBaseHz);
}

std::string lowerExtension(std::string_view fileName) {
    const auto dot = fileName.rfind('.');
    if (dot == std::string_view::npos) {
        return {};
    }
    std::string extension(fileName.substr(dot + 1));
    for (char& c : extension) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return extension;
}

} // namespace

std::string writeAnaMarkTun(std::string_view description, const Tuning& tuning) {
    std::string text = "; " + oneLine(description) + "\n";
    text += "; Note 60 is the fixed c at 261.6 Hz; cents above 8.1757989156 Hz\n";
    text += "[Tuning]\n";
    for (int note = 0; note < 128; ++note) {
        text += "note " + std::to_string(note) + "=" +
                std::to_string(std::lround(centsAboveAnaMarkBase(tuning, note))) + "\n";
    }
    text += "\n[Exact Tuning]\nBaseFreq=" + fixed(kAnaMarkBaseHz, 10) + "\n";
    for (int note = 0; note < 128; ++note) {
        text += "note " + std::to_string(note) + "=" +
                fixed(centsAboveAnaMarkBase(tuning, note), 6) + "\n";
    }
    return text;
}

std::string writeScalaKeyboardMap(std::string_view fileName) {
    std::string text = "! " + oneLine(fileName) + "\n";
    text += "! The scale's first degree on note 60, the fixed c, at 261.6 Hz.\n";
    text += "! Size of map:\n12\n";
    text += "! First and last MIDI note to retune:\n0\n127\n";
    text += "! Middle note, where the first entry of the mapping lies:\n" +
            std::to_string(kFixedCNote) + "\n";
    text += "! Reference note, and its frequency:\n" + std::to_string(kFixedCNote) + "\n" +
            fixed(static_cast<double>(kFixedCHz), 6) + "\n";
    text += "! Scale degree of the formal octave:\n12\n";
    text += "! Mapping:\n";
    for (int degree = 0; degree < 12; ++degree) {
        text += std::to_string(degree) + "\n";
    }
    return text;
}

std::vector<std::uint8_t> writeTuningDumpSyx(std::string_view name, const Tuning& tuning) {
    return mts::bulkTuningDump(tuning, name);
}

std::optional<SynthTuningFormat> synthTuningFormatOf(std::string_view fileName) {
    const std::string extension = lowerExtension(fileName);
    if (extension == "scl") {
        return SynthTuningFormat::scala;
    }
    if (extension == "kbm") {
        return SynthTuningFormat::keyboardMap;
    }
    if (extension == "tun") {
        return SynthTuningFormat::anaMark;
    }
    if (extension == "syx") {
        return SynthTuningFormat::tuningDump;
    }
    return std::nullopt;
}

std::string synthTuningFile(SynthTuningFormat format, std::string_view fileName,
                            std::string_view description, const Tuning& tuning) {
    switch (format) {
    case SynthTuningFormat::keyboardMap:
        return writeScalaKeyboardMap(fileName);
    case SynthTuningFormat::anaMark:
        return writeAnaMarkTun(description, tuning);
    case SynthTuningFormat::tuningDump: {
        const auto bytes = writeTuningDumpSyx(description, tuning);
        return {bytes.begin(), bytes.end()};
    }
    case SynthTuningFormat::scala:
        break;
    }
    return writeScala(fileName, description, tuning);
}

} // namespace klangora
