#include "check/InputFile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "platform/FileSystem.h"

namespace {

bool ReadAll(const std::string& path, std::string* bytes) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return false;
    std::unique_ptr<std::FILE, decltype(&std::fclose)> file(std::fopen(path.c_str(), "rb"),
                                                            &std::fclose);
    if (!file) return false;
    char chunk[1 << 14];
    std::size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) bytes->append(chunk, n);
    return std::ferror(file.get()) == 0;
}

}  // namespace

void InputFile::Load(const char* libPath, std::string display) {
    libPath_ = libPath;
    display_ = std::move(display);
    bytes_.clear();
    FileSystem* fs = FileSystem::Current();
    exists_ = fs->Exists(libPath);
    readable_ = exists_ && ReadAll(fs->NativePath(libPath), &bytes_);
    if (!readable_) bytes_.clear();
}

bool InputFile::Utf16() const {
    const std::string& b = bytes_;
    if (b.size() >= 2 && ((b[0] == '\xFF' && b[1] == '\xFE') || (b[0] == '\xFE' && b[1] == '\xFF'))) {
        return true;
    }
    if (b.size() < 4) return false;
    const bool little = b[0] != '\0' && b[1] == '\0' && b[2] != '\0' && b[3] == '\0';
    const bool big = b[0] == '\0' && b[1] != '\0' && b[2] == '\0' && b[3] != '\0';
    return little || big;
}


bool InputFile::CrOnlyLines() const {
    if (bytes_.find('\n') != std::string::npos) return false;
    const std::size_t cr = bytes_.find('\r');
    return cr != std::string::npos && bytes_.find_first_not_of('\r', cr) != std::string::npos;
}

int InputFile::NulLine() const {
    const std::size_t nul = bytes_.find('\0');
    if (nul == std::string::npos) return 0;
    return 1 + static_cast<int>(std::count(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(nul), '\n'));
}
