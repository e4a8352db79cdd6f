#include <limits.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "system/SystemFiles.h"

bool SameFile(const std::string& a, const std::string& b) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::equivalent(a, b, ec)) return true;
    const fs::path ca = fs::weakly_canonical(fs::absolute(a, ec), ec);
    if (ec) return false;
    const fs::path cb = fs::weakly_canonical(fs::absolute(b, ec), ec);
    return !ec && ca == cb;
}

std::size_t NameLengthLimit(const std::string& folder) {
    const long limit = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
    return limit > 0 ? static_cast<std::size_t>(limit) : NAME_MAX;
}

void KeepRunningPastFileSizeLimit() { std::signal(SIGXFSZ, SIG_IGN); }
