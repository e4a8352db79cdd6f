#include <algorithm>
#include <cctype>
#include <filesystem>

#include "system/SystemFiles.h"

// NTFS keeps the letter case of a name but finds a file in any case.
bool SameFile(const std::string& a, const std::string& b) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::equivalent(a, b, ec)) return true;
    const fs::path ca = fs::weakly_canonical(fs::absolute(a, ec), ec);
    if (ec) return false;
    const fs::path cb = fs::weakly_canonical(fs::absolute(b, ec), ec);
    if (ec) return false;
    std::string sa = ca.string(), sb = cb.string();
    const auto lower = [](unsigned char c) { return static_cast<char>(std::tolower(c)); };
    std::transform(sa.begin(), sa.end(), sa.begin(), lower);
    std::transform(sb.begin(), sb.end(), sb.begin(), lower);
    return sa == sb;
}

// The longest name NTFS takes for a file.
std::size_t NameLengthLimit(const std::string&) { return 255; }

// Windows has no signal for a file size limit.
void KeepRunningPastFileSizeLimit() {}
