#include "system/SystemFiles.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

std::string OutputFile::Open(const std::string& path) { return file_.Open(path).ToString(); }

void OutputFile::Write(std::string_view bytes) {
    if (file_.IsOpen()) file_.Write(bytes);
}

std::string OutputFile::Close() {
    if (!file_.IsOpen()) return "the file is not open";
    return file_.Commit().ToString();
}

std::string WriteWholeFile(const std::string& path, std::string_view bytes) {
    OutputFile file;
    const std::string why = file.Open(path);
    if (!why.empty()) return why;
    file.Write(bytes);
    return file.Close();
}

bool SameFile(const std::string& a, const std::string& b) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::equivalent(a, b, ec)) return true;
    std::string ca = fs::weakly_canonical(fs::absolute(a, ec), ec).string();
    if (ec) return false;
    std::string cb = fs::weakly_canonical(fs::absolute(b, ec), ec).string();
    if (ec) return false;
    if (NamesIgnoreCase()) {
        const auto lower = [](unsigned char c) { return static_cast<char>(std::tolower(c)); };
        std::transform(ca.begin(), ca.end(), ca.begin(), lower);
        std::transform(cb.begin(), cb.end(), cb.begin(), lower);
    }
    return ca == cb;
}
