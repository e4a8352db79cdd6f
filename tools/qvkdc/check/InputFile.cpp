#include "check/InputFile.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "ByteOrderMark.h"
#include "FileSystem.h"
#include "ReadableFile.h"

void InputFile::Load(const char* libPath, std::string display, const LineRules& rules) {
    *this = InputFile();
    bytesOfLines_.Start(rules);
    display_ = std::move(display);
    path_ = libPath;
    FileSystem* fs = FileSystem::Current();
    exists_ = fs->Exists(libPath);
    if (!exists_) return;
    ReadableFile file;
    why_ = file.Open(fs->NativePath(libPath).c_str()).ToString();
    if (!why_.empty()) return;
    char block[ReadableFile::kBlockSize];
    std::ptrdiff_t n = 0;
    while ((n = file.Read(block, sizeof block)) > 0) Scan(block, static_cast<std::size_t>(n));
    bytesOfLines_.Finish();
    readable_ = n == 0;
    if (!readable_) why_ = file.ReadError().ToString();
    const std::string& b = head_;
    utf16Marked_ = StartsWithUtf16Mark(b);
    if (!utf16Marked_ && b.size() >= 4) {
        const bool little = b[0] != '\0' && b[1] == '\0' && b[2] != '\0' && b[3] == '\0';
        const bool big = b[0] == '\0' && b[1] != '\0' && b[2] == '\0' && b[3] != '\0';
        utf16Unmarked_ = little || big;
    }
}

namespace {

// The first byte c in [from, end), or end.
const char* Find(const char* from, const char* end, char c) {
    const void* at = std::memchr(from, c, static_cast<std::size_t>(end - from));
    return at != nullptr ? static_cast<const char*>(at) : end;
}

// The line feeds in [from, end).
int LineFeeds(const char* from, const char* end) {
    int n = 0;
    for (const char* at = Find(from, end, '\n'); at != end; at = Find(at + 1, end, '\n')) ++n;
    return n;
}

}  // namespace

void InputFile::Scan(const char* bytes, std::size_t n) {
    if (head_.size() < 4) head_.append(bytes, std::min<std::size_t>(n, 4 - head_.size()));
    size_ += n;
    bytesOfLines_.Feed(bytes, n);
    const char* end = bytes + n;
    // The line of the first NUL and Ctrl-Z byte: the lines before this
    // block and the line feeds in it before the byte.
    for (auto [byte, line] : {std::pair<char, int*>{'\0', &nulLine_}, {'\x1A', &ctrlZLine_}}) {
        if (*line != 0) continue;
        const char* at = Find(bytes, end, byte);
        if (at != end) *line = lines_ + LineFeeds(bytes, at);
    }
    const int feeds = LineFeeds(bytes, end);
    lines_ += feeds;
    sawLf_ = sawLf_ || feeds > 0;
    if (!textAfterCr_) {
        const char* cr = sawCr_ ? bytes : Find(bytes, end, '\r');
        if (cr != end) {
            sawCr_ = true;
            textAfterCr_ = std::find_if(cr, end, [](char c) { return c != '\r'; }) != end;
        }
    }
}
