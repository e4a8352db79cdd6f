#include <windows.h>
#include <shellapi.h>

#include "system/Terminal.h"

// _isatty is also true for NUL, a character device; only a console input
// handle answers GetConsoleMode.
bool StdinIsConsole() {
    const HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    return in != nullptr && in != INVALID_HANDLE_VALUE && GetConsoleMode(in, &mode) != 0;
}

bool OpenInBrowser(const std::string& address) {
    return reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32;
}
