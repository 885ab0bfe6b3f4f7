#pragma once

#include <QPoint>

#include <chrono>

class QWidget;
class TForm1;

namespace klangora::test_support {

// The exit status runApplication gives a program that has not quit within its limit.
inline constexpr int kHung = 99;

// Runs the application's own event loop, as the program's main() does, until the application
// quits. If it has not quit within the limit it is stopped with kHung, so that a program that
// would never end fails the test instead of stalling it.
int runApplication(std::chrono::milliseconds limit);

// Input as the window system delivers it: queued for the GUI thread, not sent to the widget,
// so that it meets whatever event loop runs when it arrives.
void clickAsTheWindowSystemDoes(const TForm1& form, const QWidget* target);
void closeAsTheWindowManagerDoes(const QWidget& form);
// A key pressed (press true) or let go, delivered the same way.
void keyAsTheWindowSystemDoes(const TForm1& form, bool press, int key);

} // namespace klangora::test_support
