#include "check/InputFile.h"

#include <algorithm>

#include "platform/FileSystem.h"
#include "platform/ReadableFile.h"

void InputFile::Load(const char* libPath, std::string display) {
    *this = InputFile();
    display_ = std::move(display);
    FileSystem* fs = FileSystem::Current();
    exists_ = fs->Exists(libPath);
    if (!exists_) return;
    ReadableFile file;
    why_ = file.Open(fs->NativePath(libPath).c_str());
    if (!why_.empty()) return;
    char block[1 << 16];
    std::ptrdiff_t n = 0;
    while ((n = file.Read(block, sizeof block)) > 0) Scan(block, static_cast<std::size_t>(n));
    readable_ = n == 0;
    if (!readable_) why_ = file.ReadError();
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
