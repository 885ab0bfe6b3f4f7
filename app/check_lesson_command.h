#pragma once

#include <QString>

// `klangora --check-lesson FILE`: reads a lesson as the program would open it and says what is
// wrong, line by line, on standard error, in the interface's language; or, on standard output,
// its title and how many steps it has. Returns 0 for a lesson that runs, 1 for one that does not.
int checkLesson(const QString& file);
