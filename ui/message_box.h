#pragma once

#include <QString>

// The program's name as message boxes show it in their title bar.
inline const QString kApplicationTitle = "Klangoraer1";

// A modal message with a single OK button, centred on the screen.
void showMessage(const QString& text);
