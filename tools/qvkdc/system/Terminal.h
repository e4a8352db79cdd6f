// Asking the user at the console, for the overwrite question of `export`.
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

#endif  // QVKDC_TOOLS_SYSTEM_TERMINAL_H
