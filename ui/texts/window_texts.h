#pragma once

// Texts the window shows in more than one place (UTF-8).
#include <QtGlobal>

namespace texts {

// The hint above the diagram while no tone is selected, and while one is.
inline constexpr const char* kClickHint = QT_TRANSLATE_NOOP(
    "klangora", "Klik på en tone og brug så piletasterne, hvis du vil flytte den.");
inline constexpr const char* kArrowHint = QT_TRANSLATE_NOOP(
    "klangora", "Brug piletasterne \"pil-op\" og \"pil-ned\" til at flytte tonen.");

// The arrangement button names the arrangement a click switches to.
inline constexpr const char* kToFifths = QT_TRANSLATE_NOOP("klangora", "vis i KVINT-opstilling");
inline constexpr const char* kToChromatic =
    QT_TRANSLATE_NOOP("klangora", "vis i KROMATISK opstilling");

} // namespace texts
