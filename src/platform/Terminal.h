// The terminal (or console) the program's standard streams are attached to.
#pragma once
#include <cstddef>

namespace orv::platform {

// Output into a closed pipe (a reader such as `head` gone) fails with an
// error the program reports and exits with, instead of ending the program
// silently by a signal (POSIX: SIGPIPE is ignored; Windows has none).
void reportBrokenPipes();

enum class StdStream { Input, Output, Error };

// Before a window program prints an answer (--help, --version): Windows
// starts such a program with no standard output at all, so where output goes
// nowhere it is sent to the console of the program that started it, if any
// (output redirected to a file or a pipe is kept as it is). POSIX: nothing to do.
void answerOnParentConsole();

// The stream is a terminal a person works at (not a file or a pipe).
bool isInteractive(StdStream stream);

// Progress lines may be redrawn in place on the stream: it is a terminal
// that takes a carriage return and the VT sequences for "erase to the end of
// the line" and "cursor up". On Windows the console is switched to
// processing those sequences where it can; where it cannot, the answer is
// false and the progress is printed one line per event.
bool redrawsInPlace(StdStream stream);

// The width of the terminal in columns; 0 when it is not a terminal or does
// not say.
std::size_t terminalColumns(StdStream stream);

}  // namespace orv::platform
