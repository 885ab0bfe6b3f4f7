#pragma once

// The triad table put into the music window: below its controls, filled whenever a piece opens,
// its highlight following the playing position and its rows the diagram's arrangement.
#include <functional>

namespace klangora {
class PiecePlayer;
}
class ConcealedTone;
class MusicWindow;
class TriadTable;
class TuningModel;

struct MusicTriadsSources {
    const TuningModel& model;
    const klangora::PiecePlayer& player;
    std::function<bool()> inFifths;           // the diagram's arrangement now
    const ConcealedTone* concealed = nullptr; // the tone an exercise hides, if any
};

TriadTable& addTriadTable(MusicWindow& window, const MusicTriadsSources& sources);
