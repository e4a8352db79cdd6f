// Asking the user on a terminal, for the overwrite question of `export`.
#ifndef QVKDC_TOOLS_TERMINAL_H
#define QVKDC_TOOLS_TERMINAL_H

#include <string>

// True when standard input is a terminal.
bool StdinIsTerminal();

// Prints question on stderr and reads one line from standard input; true
// for an answer starting with y or Y.
bool AskYesNo(const std::string& question);

#endif  // QVKDC_TOOLS_TERMINAL_H
