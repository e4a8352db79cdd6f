#include "Terminal.h"

#include <cstdio>
#include <iostream>

#if defined(_WIN32)
#include <io.h>
#define QVKDC_ISATTY _isatty
#else
#include <unistd.h>
#define QVKDC_ISATTY isatty
#endif

bool StdinIsTerminal() { return QVKDC_ISATTY(0) != 0; }

bool AskYesNo(const std::string& question) {
    std::cerr << question << " [y/N] " << std::flush;
    std::string answer;
    if (!std::getline(std::cin, answer)) return false;
    return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y');
}
