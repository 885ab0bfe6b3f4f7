#include "core/historical_temperaments.h"

#include "core/rounding.h"

#include <cmath>

namespace klangora {

namespace {

// The tone index each fifth of the circle starts on: C, G, D, A, E, H, F#, C#, G#, Eb, Bb, F.
constexpr std::array<int, 12> kCircle = {0, 7, 2, 9, 4, 11, 6, 1, 8, 3, 10, 5};

constexpr Fifth pure{};
constexpr Fifth rest{Comma::rest};
constexpr Fifth sc(int numerator, int denominator) {
    return {Comma::syntonic, numerator, denominator};
}
constexpr Fifth pc(int numerator, int denominator) {
    return {Comma::pythagorean, numerator, denominator};
}
constexpr Fifth schisma{Comma::schisma, 1, 1};

// Meantone: every fifth but the one between G# and Eb narrowed alike.
constexpr CircleOfFifths meantone(int denominator) {
    const Fifth f = sc(1, denominator);
    return {f, f, f, f, f, f, f, f, rest, f, f, f};
}

long double commaCents(Comma comma) {
    const long double pythagorean = centsFromRatio(531441.0L / 524288.0L);
    const long double syntonic = centsFromRatio(81.0L / 80.0L);
    switch (comma) {
    case Comma::pythagorean:
        return pythagorean;
    case Comma::syntonic:
        return syntonic;
    case Comma::schisma:
        return pythagorean - syntonic;
    case Comma::none:
    case Comma::rest:
        break;
    }
    return 0;
}

} // namespace

// Each circle lists its fifths from C-G round to F-C.
const std::array<HistoricalTemperament, 9> kHistoricalTemperaments = {{
    {"meantone6", "1/6-komma middeltone",
     "Alle kvinter undtagen G#–Eb er 1/6 syntonisk komma for små; G#–Eb tager resten.",
     meantone(6)},
    {"meantone5", "1/5-komma middeltone",
     "Alle kvinter undtagen G#–Eb er 1/5 syntonisk komma for små; G#–Eb tager resten.",
     meantone(5)},
    {"kirnberger1",
     "Kirnberger I",
     "D–A er et syntonisk komma for lille og F#–C# et skisma for lille; de øvrige kvinter er "
     "rene.",
     {pure, pure, sc(1, 1), pure, pure, pure, schisma, pure, pure, pure, pure, pure}},
    {"kirnberger2",
     "Kirnberger II",
     "D–A og A–E er hver et halvt syntonisk komma for små og F#–C# et skisma for lille; de "
     "øvrige kvinter er rene.",
     {pure, pure, sc(1, 2), sc(1, 2), pure, pure, schisma, pure, pure, pure, pure, pure}},
    {"kirnberger3",
     "Kirnberger III",
     "C–G, G–D, D–A og A–E er hver 1/4 syntonisk komma for små og F#–C# et skisma for lille; de "
     "øvrige kvinter er rene.",
     {sc(1, 4), sc(1, 4), sc(1, 4), sc(1, 4), pure, pure, schisma, pure, pure, pure, pure, pure}},
    {"vallotti",
     "Vallotti",
     "F–C, C–G, G–D, D–A, A–E og E–H er hver 1/6 pythagoræisk komma for små; de øvrige kvinter er "
     "rene.",
     {pc(1, 6), pc(1, 6), pc(1, 6), pc(1, 6), pc(1, 6), pure, pure, pure, pure, pure, pure,
      pc(1, 6)}},
    {"young",
     "Young",
     "C–G, G–D, D–A, A–E, E–H og H–F# er hver 1/6 pythagoræisk komma for små; de øvrige kvinter "
     "er rene.",
     {pc(1, 6), pc(1, 6), pc(1, 6), pc(1, 6), pc(1, 6), pc(1, 6), pure, pure, pure, pure, pure,
      pure}},
    {"kellner",
     "Kellner",
     "C–G, G–D, D–A, A–E og H–F# er hver 1/5 pythagoræisk komma for små; de øvrige kvinter er "
     "rene.",
     {pc(1, 5), pc(1, 5), pc(1, 5), pc(1, 5), pure, pc(1, 5), pure, pure, pure, pure, pure, pure}},
    {"lehman",
     "Lehman (Bach)",
     "F–C, C–G, G–D, D–A og A–E er 1/6 pythagoræisk komma for små, C#–G#, G#–Eb og Eb–Bb 1/12 "
     "for små og Bb–F 1/12 for stor; E–H, H–F# og F#–C# er rene.",
     {pc(1, 6), pc(1, 6), pc(1, 6), pc(1, 6), pure, pure, pure, pc(1, 12), pc(1, 12), pc(1, 12),
      pc(-1, 12), pc(1, 6)}},
}};

std::array<long double, 12> centsFromFifths(const CircleOfFifths& fifths) {
    const long double pureFifth = centsFromRatio(1.5L);
    std::array<long double, 12> sizes{};
    long double others = 0;
    for (std::size_t k = 0; k < 12; ++k) {
        const Fifth& fifth = fifths[k];
        sizes[k] = pureFifth - commaCents(fifth.comma) * fifth.numerator / fifth.denominator;
        if (fifth.comma != Comma::rest) {
            others += sizes[k];
        }
    }
    // The circle closes after seven octaves.
    for (std::size_t k = 0; k < 12; ++k) {
        if (fifths[k].comma == Comma::rest) {
            sizes[k] = 8400.0L - others;
        }
    }
    std::array<long double, 12> cents{};
    long double climbed = 0;
    for (std::size_t k = 1; k < 12; ++k) {
        climbed += sizes[k - 1];
        cents[static_cast<std::size_t>(kCircle[k])] = std::fmod(climbed, 1200.0L);
    }
    return cents;
}

SliderPositions temperamentPositions(const CircleOfFifths& fifths) {
    const std::array<long double, 12> cents = centsFromFifths(fifths);
    SliderPositions positions{};
    for (int i = 1; i <= kSliderCount; ++i) {
        positions[static_cast<std::size_t>(i - 1)] = static_cast<int>(
            roundHalfEven((100.0L * i - cents[static_cast<std::size_t>(i)]) * 20.0L));
    }
    return positions;
}

std::string_view presetFifthsDescription(PresetId id) {
    switch (id) {
    case PresetId::pyt:
        return "Elleve rene kvinter fra Eb til G#; ulvekvinten G#–Eb er et pythagoræisk komma for "
               "lille.";
    case PresetId::ren:
        return "Kvinterne er rene, undtagen D–A, F#–C# og Bb–F, der er et syntonisk komma for små, "
               "og G#–Eb, der er 41 cent for stor.";
    case PresetId::praet:
        return "Alle kvinter undtagen G#–Eb er 1/4 syntonisk komma for små, så de store tertser er "
               "rene; ulvekvinten G#–Eb er 36 cent for stor.";
    case PresetId::bach:
        return "Kvinterne fra Eb til F# er mellem 1,3 og 4,1 cent for små, mest D–A; F#–C#, C#–G# "
               "og G#–Eb er rene.";
    case PresetId::werck1:
        return "C–G, G–D, D–A og H–F# er hver 1/4 pythagoræisk komma for små; de øvrige kvinter "
               "er rene.";
    case PresetId::werck3:
        return "D–A, A–E, F#–C#, C#–G# og F–C er hver 1/4 pythagoræisk komma for små og G#–Eb 1/4 "
               "komma for stor; de øvrige kvinter er rene.";
    case PresetId::lige:
        return "Alle tolv kvinter er 1/12 pythagoræisk komma (knap 2 cent) for små.";
    }
    return {};
}

} // namespace klangora
