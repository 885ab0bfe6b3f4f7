#include "core/mts/midi_tuning_messages.h"

#include <algorithm>
#include <cmath>

namespace klangora::mts {

namespace {

constexpr std::uint8_t kSysexStart = 0xF0;
constexpr std::uint8_t kSysexEnd = 0xF7;
constexpr std::uint8_t kRealTime = 0x7F;
constexpr std::uint8_t kNonRealTime = 0x7E;
constexpr std::uint8_t kAllDevices = 0x7F;
constexpr std::uint8_t kTuningStandard = 0x08;
constexpr std::uint8_t kBulkDump = 0x01;
constexpr std::uint8_t kSingleNote = 0x02;
constexpr std::uint8_t kOctave1Byte = 0x08;
constexpr std::uint8_t kOctave2Byte = 0x09;
// The channel mask of the scale/octave messages: channels 15-16, 8-14 and 1-7.
constexpr std::uint8_t kChannels15To16 = 0x03;
constexpr std::uint8_t kChannels1To14 = 0x7F;

constexpr double kEqualA4Hz = 440.0;
constexpr int kA4Note = 69;
constexpr int kFractionSteps = 1 << 14;
constexpr int kKeysPerMessage = 64;
constexpr int kKeys = 128;
constexpr std::size_t kNameLength = 16;

std::uint8_t sevenBits(int value) {
    return static_cast<std::uint8_t>(value & 0x7F);
}

Bytes scaleOctaveHeader(std::uint8_t form) {
    return Bytes{kSysexStart, kRealTime,       kAllDevices,    kTuningStandard,
                 form,        kChannels15To16, kChannels1To14, kChannels1To14};
}

void appendKeyPitch(Bytes& bytes, const KeyPitch& pitch) {
    bytes.push_back(pitch.semitone);
    bytes.push_back(sevenBits(pitch.fraction >> 7));
    bytes.push_back(sevenBits(pitch.fraction));
}

} // namespace

double offsetFromEqualCents(const Tuning& tuning, int pitchClass) {
    const double fixedCAgainstA440 =
        1200.0 * std::log2(static_cast<double>(kFixedCHz) / equalFrequencyHz(kFixedCNote));
    return tuning.cents(pitchClass) - 100.0 * pitchClass + fixedCAgainstA440;
}

double equalFrequencyHz(double noteNumber) {
    return kEqualA4Hz * std::exp2((noteNumber - kA4Note) / 12.0);
}

double equalNoteNumber(double frequencyHz) {
    return kA4Note + 12.0 * std::log2(frequencyHz / kEqualA4Hz);
}

Bytes scaleOctaveTuning2Byte(const Tuning& tuning) {
    Bytes bytes = scaleOctaveHeader(kOctave2Byte);
    constexpr int kCentre = 0x2000;
    constexpr double kStepsPerCent = 8192.0 / 100.0;
    for (int pitchClass = 0; pitchClass < 12; ++pitchClass) {
        const long steps =
            std::lround(kCentre + offsetFromEqualCents(tuning, pitchClass) * kStepsPerCent);
        const int value = static_cast<int>(std::clamp(steps, 0L, 0x3FFFL));
        bytes.push_back(sevenBits(value >> 7));
        bytes.push_back(sevenBits(value));
    }
    bytes.push_back(kSysexEnd);
    return bytes;
}

Bytes scaleOctaveTuning1Byte(const Tuning& tuning) {
    Bytes bytes = scaleOctaveHeader(kOctave1Byte);
    constexpr long kCentre = 0x40;
    for (int pitchClass = 0; pitchClass < 12; ++pitchClass) {
        const long cents = std::lround(offsetFromEqualCents(tuning, pitchClass));
        bytes.push_back(sevenBits(static_cast<int>(std::clamp(kCentre + cents, 0L, 0x7FL))));
    }
    bytes.push_back(kSysexEnd);
    return bytes;
}

KeyPitch keyPitch(double frequencyHz) {
    const double note = equalNoteNumber(frequencyHz);
    if (note <= 0.0) {
        return {};
    }
    // 0x7F 0x7F 0x7F means "no change", so the highest pitch stops one step short of it.
    constexpr int kHighest = 127 * kFractionSteps + kFractionSteps - 2;
    const long steps = std::min(std::lround(note * kFractionSteps), static_cast<long>(kHighest));
    return {static_cast<std::uint8_t>(steps / kFractionSteps),
            static_cast<std::uint16_t>(steps % kFractionSteps)};
}

std::vector<Bytes> singleNoteTuningChanges(const Tuning& tuning) {
    std::vector<Bytes> messages;
    for (int first = 0; first < kKeys; first += kKeysPerMessage) {
        Bytes bytes{kSysexStart,
                    kRealTime,
                    kAllDevices,
                    kTuningStandard,
                    kSingleNote,
                    sevenBits(kTuningProgram),
                    sevenBits(kKeysPerMessage)};
        for (int key = first; key < first + kKeysPerMessage; ++key) {
            bytes.push_back(sevenBits(key));
            appendKeyPitch(bytes, keyPitch(tuning.frequencyHz(key)));
        }
        bytes.push_back(kSysexEnd);
        messages.push_back(std::move(bytes));
    }
    return messages;
}

Bytes singleKeyTuningChange(int key, double frequencyHz) {
    Bytes bytes{kSysexStart, kRealTime,
                kAllDevices, kTuningStandard,
                kSingleNote, sevenBits(kTuningProgram),
                1,           sevenBits(key)};
    appendKeyPitch(bytes, keyPitch(frequencyHz));
    bytes.push_back(kSysexEnd);
    return bytes;
}

Bytes selectTuningProgramOnAllChannels() {
    constexpr std::uint8_t kParameterMsb = 101;
    constexpr std::uint8_t kParameterLsb = 100;
    constexpr std::uint8_t kDataEntry = 6;
    constexpr std::uint8_t kTuningProgramParameter = 3;
    constexpr std::uint8_t kTuningBankParameter = 4;
    constexpr std::uint8_t kNullParameter = 0x7F;
    Bytes bytes;
    for (std::uint8_t channel = 0; channel < 16; ++channel) {
        const auto controller = [&](std::uint8_t number, std::uint8_t value) {
            bytes.push_back(static_cast<std::uint8_t>(0xB0 | channel));
            bytes.push_back(number);
            bytes.push_back(value);
        };
        const auto parameter = [&](std::uint8_t number, int value) {
            controller(kParameterMsb, 0);
            controller(kParameterLsb, number);
            controller(kDataEntry, sevenBits(value));
        };
        parameter(kTuningBankParameter, kTuningBank);
        parameter(kTuningProgramParameter, kTuningProgram);
        controller(kParameterMsb, kNullParameter);
        controller(kParameterLsb, kNullParameter);
    }
    return bytes;
}

Bytes bulkTuningDump(const Tuning& tuning, std::string_view name) {
    Bytes bytes{kSysexStart,     kNonRealTime, kAllDevices,
                kTuningStandard, kBulkDump,    sevenBits(kTuningProgram)};
    // The name in printable ASCII, padded with blanks.
    for (std::size_t i = 0; i < kNameLength; ++i) {
        const char c = i < name.size() ? name[i] : ' ';
        bytes.push_back(c >= 0x20 && c < 0x7F ? static_cast<std::uint8_t>(c) : '_');
    }
    for (int key = 0; key < kKeys; ++key) {
        appendKeyPitch(bytes, keyPitch(tuning.frequencyHz(key)));
    }
    std::uint8_t checksum = 0;
    for (std::size_t i = 1; i < bytes.size(); ++i) {
        checksum ^= bytes[i];
    }
    bytes.push_back(sevenBits(checksum));
    bytes.push_back(kSysexEnd);
    return bytes;
}

} // namespace klangora::mts
