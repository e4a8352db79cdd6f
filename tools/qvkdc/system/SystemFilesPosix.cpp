#include <limits.h>
#include <unistd.h>

#include <csignal>

#include "system/SystemFiles.h"

bool NamesIgnoreCase() { return false; }

std::size_t NameLengthLimit(const std::string& folder) {
    const long limit = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
    return limit > 0 ? static_cast<std::size_t>(limit) : NAME_MAX;
}

void KeepRunningPastFileSizeLimit() { std::signal(SIGXFSZ, SIG_IGN); }
