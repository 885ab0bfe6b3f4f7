#pragma once

// The triad table put into the music window: below its controls, filled whenever a piece opens,
// its highlight following the playing position and its rows the diagram's arrangement.
#include <functional>

namespace klangora {
class PiecePlayer;
}
class MusicWindow;
class TriadTable;
class TuningModel;

struct MusicTriadsSources {
    const TuningModel& model;
    const klangora::PiecePlayer& player;
    std::function<bool()> inFifths; // the diagram's arrangement now
};

TriadTable& addTriadTable(MusicWindow& window, const MusicTriadsSources& sources);
