// The core's Danish descriptions of the temperaments, which the window shows as the preset
// buttons' and the temperament library's tooltips: listed here so that the translation knows
// them, and the window's language switch finds each as a whole text. The language test finds any
// that the core has changed and this list has not.
#include <QtGlobal>

#include <array>

namespace {

[[maybe_unused]] constexpr std::array kTemperamentDescriptions = {
    QT_TRANSLATE_NOOP(
        "klangora",
        "Alle kvinter undtagen G#–Eb er 1/6 syntonisk komma for små; G#–Eb tager resten."),
    QT_TRANSLATE_NOOP(
        "klangora",
        "Alle kvinter undtagen G#–Eb er 1/5 syntonisk komma for små; G#–Eb tager resten."),
    QT_TRANSLATE_NOOP("klangora", "D–A er et syntonisk komma for lille og F#–C# et skisma for "
                                  "lille; de øvrige kvinter er rene."),
    QT_TRANSLATE_NOOP("klangora", "D–A og A–E er hver et halvt syntonisk komma for små og F#–C# et "
                                  "skisma for lille; de øvrige kvinter er rene."),
    QT_TRANSLATE_NOOP("klangora", "C–G, G–D, D–A og A–E er hver 1/4 syntonisk komma for små og "
                                  "F#–C# et skisma for lille; de øvrige kvinter er rene."),
    QT_TRANSLATE_NOOP("klangora", "F–C, C–G, G–D, D–A, A–E og E–H er hver 1/6 pythagoræisk komma "
                                  "for små; de øvrige kvinter er rene."),
    QT_TRANSLATE_NOOP("klangora", "C–G, G–D, D–A, A–E, E–H og H–F# er hver 1/6 pythagoræisk komma "
                                  "for små; de øvrige kvinter er rene."),
    QT_TRANSLATE_NOOP("klangora", "C–G, G–D, D–A, A–E og H–F# er hver 1/5 pythagoræisk komma for "
                                  "små; de øvrige kvinter er rene."),
    QT_TRANSLATE_NOOP("klangora",
                      "F–C, C–G, G–D, D–A og A–E er 1/6 pythagoræisk komma for små, C#–G#, G#–Eb "
                      "og Eb–Bb 1/12 for små og Bb–F 1/12 for stor; E–H, H–F# og F#–C# er rene."),
    QT_TRANSLATE_NOOP(
        "klangora",
        "Elleve rene kvinter fra Eb til G#; ulvekvinten G#–Eb er et pythagoræisk komma for lille."),
    QT_TRANSLATE_NOOP("klangora", "Kvinterne er rene, undtagen D–A, F#–C# og Bb–F, der er et "
                                  "syntonisk komma for små, og G#–Eb, der er 41 cent for stor."),
    QT_TRANSLATE_NOOP("klangora",
                      "Alle kvinter undtagen G#–Eb er 1/4 syntonisk komma for små, så de store "
                      "tertser er rene; ulvekvinten G#–Eb er 36 cent for stor."),
    QT_TRANSLATE_NOOP("klangora", "Kvinterne fra Eb til F# er mellem 1,3 og 4,1 cent for små, mest "
                                  "D–A; F#–C#, C#–G# og G#–Eb er rene."),
    QT_TRANSLATE_NOOP(
        "klangora",
        "C–G, G–D, D–A og H–F# er hver 1/4 pythagoræisk komma for små; de øvrige kvinter er rene."),
    QT_TRANSLATE_NOOP("klangora",
                      "D–A, A–E, F#–C#, C#–G# og F–C er hver 1/4 pythagoræisk komma for små og "
                      "G#–Eb 1/4 komma for stor; de øvrige kvinter er rene."),
    QT_TRANSLATE_NOOP("klangora",
                      "Alle tolv kvinter er 1/12 pythagoræisk komma (knap 2 cent) for små."),
};

} // namespace
