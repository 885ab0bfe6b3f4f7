#pragma once

// The window's controls as designed: every one created in its place, with its object name,
// font, text and accessible name, in the order that decides which lies above which. What is
// built is handed back as each part's own widgets.
#include "ui/diagram/arrangement.h"
#include "ui/diagram/triad_diagram.h"
#include "ui/messages/message_panel.h"
#include "ui/panel/readout_panel.h"
#include "ui/selection/key_marking.h"
#include "ui/selection/tone_selection.h"
#include "ui/tuning/temperament_caption.h"

#include <array>

class QLabel;
class QPushButton;
class QWidget;

struct WindowWidgets {
    TriadDiagram::Widgets diagram;
    Arrangement::Widgets arrangement;
    ReadoutPanel::Widgets panel;
    ToneSelection::Widgets selection;
    KeyMarking::Widgets keys;
    TemperamentCaption::Widgets caption;
    MessagePanel::Widgets messages;
    QLabel* octave = nullptr;                    // lbOktav
    std::array<QPushButton*, 7> presetButtons{}; // in the order of klangora::PresetId
    std::array<QPushButton*, 3> soundButtons{};  // BitBtn1..BitBtn3
};

// Creates the controls as children of the window.
WindowWidgets buildWindowLayout(QWidget& window);
// The names and descriptions for the screen reader of the controls whose text does not change,
// in the interface's language.
void nameControls(const WindowWidgets& widgets);

// One part's controls alone, as the window has them, for a part built on its own.
TriadDiagram::Widgets buildDiagram(QWidget& window);
ReadoutPanel::Widgets buildPanel(QWidget& window);
MessagePanel::Widgets buildMessagePanel(QWidget& window);
