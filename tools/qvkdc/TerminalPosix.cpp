#include <unistd.h>

#include "Terminal.h"

bool StdinIsConsole() { return isatty(STDIN_FILENO) != 0; }
