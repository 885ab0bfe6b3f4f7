#pragma once

// Turns every text a window shows into the interface's language when it changes: texts,
// tooltips, titles and screen-reader names of its widgets and actions. Each object remembers
// the Danish text of each property (as a dynamic property of its own), so that switching back
// restores the Danish exactly. A text the program has since set anew is taken as the new
// Danish text where the English translation knows it.
#include "ui/classroom/settings.h"

class QWidget;
class InterfaceLanguageScope;

void showTextsIn(QWidget& root, const InterfaceLanguageScope& language);
