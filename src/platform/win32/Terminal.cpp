// The console on Windows: a standard stream is interactive when it is a
// console; progress lines are redrawn in place only where the console
// processes VT sequences (switched on here when it can).
#include "platform/Terminal.h"

#include <cstdio>
#include <windows.h>

#ifndef ENABLE_VIRTUAL_TERMINAL_PROCESSING
#define ENABLE_VIRTUAL_TERMINAL_PROCESSING 0x0004
#endif

namespace orv::platform {

namespace {

HANDLE handleOf(StdStream stream) {
    switch (stream) {
    case StdStream::Input: return ::GetStdHandle(STD_INPUT_HANDLE);
    case StdStream::Output: return ::GetStdHandle(STD_OUTPUT_HANDLE);
    case StdStream::Error: break;
    }
    return ::GetStdHandle(STD_ERROR_HANDLE);
}

}  // namespace

void reportBrokenPipes() {}

void answerOnParentConsole() {
    const HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
    if (out != nullptr && out != INVALID_HANDLE_VALUE) return;   // redirected, or a console program
    if (!::AttachConsole(ATTACH_PARENT_PROCESS)) return;         // started from no console
    std::freopen("CONOUT$", "w", stdout);
    std::freopen("CONOUT$", "w", stderr);
}

bool isInteractive(StdStream stream) {
    DWORD mode = 0;
    return ::GetConsoleMode(handleOf(stream), &mode) != 0;
}

bool redrawsInPlace(StdStream stream) {
    if (stream == StdStream::Input) return false;
    HANDLE h = handleOf(stream);
    DWORD mode = 0;
    if (!::GetConsoleMode(h, &mode)) return false;
    if (mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) return true;
    // Consoles older than Windows 10 refuse the mode.
    return ::SetConsoleMode(h, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

std::size_t terminalColumns(StdStream stream) {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (!::GetConsoleScreenBufferInfo(handleOf(stream), &info)) return 0;
    const int width = info.srWindow.Right - info.srWindow.Left + 1;
    return width > 0 ? static_cast<std::size_t>(width) : 0;
}

}  // namespace orv::platform
