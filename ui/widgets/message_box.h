#pragma once

#include <QString>

// The program's name as message boxes show it in their title bar.
inline const QString kApplicationTitle = "Klangoraer1";

// A modal message with a single OK button, centred on the screen.
void showMessage(const QString& text);

// A modal question with two buttons; true when the first was chosen.
bool askQuestion(const QString& text, const QString& yesText, const QString& noText);
