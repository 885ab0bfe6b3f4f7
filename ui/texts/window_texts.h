#pragma once

// Texts the window shows in more than one place (UTF-8).
namespace texts {

// The hint above the diagram while no tone is selected, and while one is.
inline constexpr const char* kClickHint =
    "Klik på en tone og brug så piletasterne, hvis du vil flytte den.";
inline constexpr const char* kArrowHint =
    "Brug piletasterne \"pil-op\" og \"pil-ned\" til at flytte tonen.";

// The arrangement button names the arrangement a click switches to.
inline constexpr const char* kToFifths = "vis i KVINT-opstilling";
inline constexpr const char* kToChromatic = "vis i KROMATISK opstilling";

} // namespace texts
