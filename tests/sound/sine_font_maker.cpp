// Writes a tiny SoundFont 2 file for the tests: each preset asked for (bank 0, the programs given
// on the command line) plays one looped sample of a pure sine at 440 Hz, so that every pitch
// FluidSynth sounds can be measured from its samples without partials or a font's own tuning.
//
//   sine_font_maker OUTPUT.sf2 [rate=HZ] PROGRAM[+SEMITONES]...
//
// PROGRAM+12 makes that program sound an octave higher than written (the preset's coarse tune),
// so that a test can hear which program played a note.
// rate= writes another sample rate into the sample's header than the one its sine was made at:
// the font then sounds out of tune by that ratio, as a font with a badly tuned sample does.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

namespace {

// 1200 samples at 48 kHz hold exactly 11 periods of 440 Hz: the loop joins without a seam.
constexpr int kSampleRate = 48000;
constexpr double kSineHz = 440.0;
constexpr int kRootKey = 69;
constexpr std::uint32_t kLoopSamples = 1200;
constexpr std::uint32_t kLoopStart = kLoopSamples;
constexpr std::uint32_t kLoopEnd = 9 * kLoopSamples;
constexpr std::uint32_t kSampleEnd = 10 * kLoopSamples;
constexpr std::uint32_t kZeroTail = 46; // the silence the format asks after each sample

// SoundFont generator numbers.
constexpr std::uint16_t kInstrumentGen = 41;
constexpr std::uint16_t kSampleIdGen = 53;
constexpr std::uint16_t kSampleModesGen = 54;
constexpr std::uint16_t kReleaseVolEnvGen = 38;
constexpr std::uint16_t kCoarseTuneGen = 51;

struct Program {
    int number = 0;
    int semitonesUp = 0;
};

using Bytes = std::vector<char>;

Bytes operator+(Bytes left, const Bytes& right) {
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

void put16(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<char>(value & 0xff));
    out.push_back(static_cast<char>((value >> 8) & 0xff));
}

void put32(Bytes& out, std::uint32_t value) {
    put16(out, value & 0xffff);
    put16(out, value >> 16);
}

void putName(Bytes& out, const std::string& name, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        out.push_back(i < name.size() ? name[i] : '\0');
    }
}

Bytes chunk(const std::string& id, const Bytes& body) {
    Bytes out(id.begin(), id.end());
    put32(out, static_cast<std::uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() % 2 != 0) {
        out.push_back('\0');
    }
    return out;
}

Bytes list(const std::string& type, const std::vector<Bytes>& chunks) {
    Bytes body(type.begin(), type.end());
    for (const auto& part : chunks) {
        body.insert(body.end(), part.begin(), part.end());
    }
    return chunk("LIST", body);
}

// A zero-terminated text, padded to the even length the format asks of its text chunks.
Bytes text(const std::string& value) {
    Bytes out(value.begin(), value.end());
    out.resize(value.size() + 2 - value.size() % 2, '\0');
    return out;
}

Bytes info() {
    Bytes version;
    put16(version, 2);
    put16(version, 1);
    return list("INFO", {chunk("ifil", version), chunk("isng", text("EMU8000")),
                         chunk("INAM", text("Sine test font"))});
}

Bytes sampleData() {
    Bytes samples;
    for (std::uint32_t i = 0; i < kSampleEnd + kZeroTail; ++i) {
        const double value =
            i < kSampleEnd ? 0.5 * std::sin(2 * std::numbers::pi * kSineHz * i / kSampleRate) : 0.0;
        const auto pcm = static_cast<std::int16_t>(std::lround(value * 32767));
        put16(samples, static_cast<std::uint16_t>(pcm));
    }
    return list("sdta", {chunk("smpl", samples)});
}

Bytes presetData(const std::vector<Program>& programs) {
    Bytes phdr, pbag, pgen, pmod(10, '\0');
    std::uint32_t generators = 0;
    for (std::size_t i = 0; i < programs.size(); ++i) {
        putName(phdr, "Sine " + std::to_string(programs[i].number), 20);
        put16(phdr, static_cast<std::uint32_t>(programs[i].number));
        put16(phdr, 0);                             // bank
        put16(phdr, static_cast<std::uint32_t>(i)); // its one zone
        put32(phdr, 0);
        put32(phdr, 0);
        put32(phdr, 0);
        put16(pbag, generators); // the zone's generators: a transposition, then the instrument
        put16(pbag, 0);
        if (programs[i].semitonesUp != 0) {
            put16(pgen, kCoarseTuneGen);
            put16(pgen,
                  static_cast<std::uint16_t>(static_cast<std::int16_t>(programs[i].semitonesUp)));
            ++generators;
        }
        put16(pgen, kInstrumentGen);
        put16(pgen, 0);
        ++generators;
    }
    const auto count = static_cast<std::uint32_t>(programs.size());
    putName(phdr, "EOP", 20);
    put16(phdr, 0);
    put16(phdr, 0);
    put16(phdr, count);
    put32(phdr, 0);
    put32(phdr, 0);
    put32(phdr, 0);
    put16(pbag, generators);
    put16(pbag, 0);
    put32(pgen, 0);
    return Bytes{} + chunk("phdr", phdr) + chunk("pbag", pbag) + chunk("pmod", pmod) +
           chunk("pgen", pgen);
}

Bytes instrumentData(std::uint32_t headerRate) {
    Bytes inst, ibag, igen, imod(10, '\0');
    putName(inst, "Sine", 20);
    put16(inst, 0);
    putName(inst, "EOI", 20);
    put16(inst, 1);
    put16(ibag, 0);
    put16(ibag, 0);
    put16(ibag, 3);
    put16(ibag, 0);
    put16(igen, kReleaseVolEnvGen); // a 0.1 s release (timecents), so that nothing clicks
    put16(igen, static_cast<std::uint16_t>(static_cast<std::int16_t>(-3986)));
    put16(igen, kSampleModesGen);
    put16(igen, 1); // looped while the key is held and after
    put16(igen, kSampleIdGen);
    put16(igen, 0);
    put32(igen, 0);
    Bytes shdr;
    const std::vector<std::uint32_t> fields = {0, kSampleEnd, kLoopStart, kLoopEnd, headerRate};
    putName(shdr, "Sine 440", 20);
    for (std::uint32_t field : fields) {
        put32(shdr, field);
    }
    shdr.push_back(static_cast<char>(kRootKey));
    shdr.push_back(0); // no pitch correction
    put16(shdr, 0);
    put16(shdr, 1); // mono
    putName(shdr, "EOS", 46);
    return chunk("inst", inst) + chunk("ibag", ibag) + chunk("imod", imod) + chunk("igen", igen) +
           chunk("shdr", shdr);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: sine_font_maker OUTPUT.sf2 PROGRAM...\n";
        return 2;
    }
    std::vector<Program> programs;
    std::uint32_t headerRate = kSampleRate;
    for (int i = 2; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind("rate=", 0) == 0) {
            headerRate = static_cast<std::uint32_t>(std::stoul(argument.substr(5)));
        } else {
            const auto plus = argument.find('+');
            programs.push_back(
                {std::stoi(argument.substr(0, plus)),
                 plus == std::string::npos ? 0 : std::stoi(argument.substr(plus + 1))});
        }
    }
    const Bytes pdta = list("pdta", {presetData(programs) + instrumentData(headerRate)});
    const Bytes body = Bytes{'s', 'f', 'b', 'k'} + info() + sampleData() + pdta;
    const Bytes file = chunk("RIFF", body);
    std::ofstream out(argv[1], std::ios::binary);
    out.write(file.data(), static_cast<std::streamsize>(file.size()));
    return out ? 0 : 1;
}
