#pragma once

// The texts a part builds at run time from words, note names and numbers (a mark's tooltip, a
// readout's name for the screen reader) are no whole texts a translation can look up; the part
// builds them anew in the interface's language each time it changes.
#include <functional>

class QObject;
class QWidget;

// Calls retell whenever the window is told that the application's language changed, for as
// long as owner lives.
void followLanguage(QWidget& window, QObject& owner, std::function<void()> retell);
