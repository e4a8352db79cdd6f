#include "check/InputFile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "platform/FileSystem.h"

void InputFile::Load(const char* libPath, std::string display) {
    *this = InputFile();
    display_ = std::move(display);
    FileSystem* fs = FileSystem::Current();
    exists_ = fs->Exists(libPath);
    if (!exists_) return;
    const std::string path = fs->NativePath(libPath);
    std::error_code ec;
    // Only a regular file is opened: a pipe or a device could block.
    if (!std::filesystem::is_regular_file(path, ec)) return;
    std::unique_ptr<std::FILE, decltype(&std::fclose)> file(std::fopen(path.c_str(), "rb"),
                                                            &std::fclose);
    if (!file) return;
    char block[1 << 16];
    std::size_t n = 0;
    while ((n = std::fread(block, 1, sizeof block, file.get())) > 0) Scan(block, n);
    readable_ = std::ferror(file.get()) == 0;
    const std::string& b = head_;
    utf16Marked_ = b.size() >= 2 && ((b[0] == '\xFF' && b[1] == '\xFE') ||
                                      (b[0] == '\xFE' && b[1] == '\xFF'));
    if (!utf16Marked_ && b.size() >= 4) {
        const bool little = b[0] != '\0' && b[1] == '\0' && b[2] != '\0' && b[3] == '\0';
        const bool big = b[0] == '\0' && b[1] != '\0' && b[2] == '\0' && b[3] != '\0';
        utf16Unmarked_ = little || big;
    }
}

void InputFile::Scan(const char* bytes, std::size_t n) {
    if (head_.size() < 4) head_.append(bytes, std::min<std::size_t>(n, 4 - head_.size()));
    size_ += n;
    for (std::size_t i = 0; i < n; ++i) {
        switch (bytes[i]) {
            case '\n':
                sawLf_ = true;
                ++lines_;
                break;
            case '\r':
                sawCr_ = true;
                break;
            case '\0':
                if (nulLine_ == 0) nulLine_ = lines_;
                break;
            case '\x1A':
                if (ctrlZLine_ == 0) ctrlZLine_ = lines_;
                break;
            default:
                break;
        }
        if (sawCr_ && bytes[i] != '\r') textAfterCr_ = true;
    }
}
