// Asking the user at the console, for the overwrite question of `export`,
// and showing a page in the user's browser, for `check --serve --open`.
#ifndef QVKDC_TOOLS_SYSTEM_TERMINAL_H
#define QVKDC_TOOLS_SYSTEM_TERMINAL_H

#include <string>

// True when standard input is an interactive console that a user types at:
// a terminal on POSIX; on Windows a console input handle (GetConsoleMode
// succeeds), which NUL, a file and a pipe are not.
bool StdinIsConsole();

// Prints question on stderr and reads one line from standard input; true
// for an answer starting with y or Y.
bool AskYesNo(const std::string& question);

// Opens address in the system's browser (xdg-open on POSIX, the shell on
// Windows), without waiting for it. False when it could not be started.
bool OpenInBrowser(const std::string& address);

#endif  // QVKDC_TOOLS_SYSTEM_TERMINAL_H
