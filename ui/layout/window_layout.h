#pragma once

// The window's controls as designed: every one created in its place, with its object name,
// font, text and accessible name, in the order that decides which lies above which.
class QWidget;

// Creates the controls as children of the window; the parts find them by their object names and
// connect them.
void buildWindowLayout(QWidget& window);
