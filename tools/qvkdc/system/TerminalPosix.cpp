#include <unistd.h>

#include "system/Terminal.h"

bool StdinIsConsole() { return isatty(STDIN_FILENO) != 0; }
