#include "platform/FileSystemWindows.h"

#include <windows.h>

#include <io.h>

#include <cstdio>
#include <vector>

#include "inspect/BufferedLineReader.h"
#include "inspect/ReadableFile.h"
#include "inspect/ReplacingFile.h"
#include "platform/ReplacingTextWriter.h"

namespace {

constexpr std::size_t kBufferSize = 1 << 16;

// Text mode has turned CR LF into LF already; a CR left before the LF
// (CR CR LF in the file) belongs to the line end as well.
class WindowsLineReader : public BufferedLineReader {
 public:
    explicit WindowsLineReader(std::FILE* file) : file_(file), buffer_(kBufferSize) {}
    ~WindowsLineReader() override { std::fclose(file_); }
    WindowsLineReader(const WindowsLineReader&) = delete;
    WindowsLineReader& operator=(const WindowsLineReader&) = delete;

 protected:
    int NextBlock(std::string_view* block) override {
        const std::size_t n = std::fread(buffer_.data(), 1, buffer_.size(), file_);
        if (n > 0) {
            *block = std::string_view(buffer_.data(), n);
            return 1;
        }
        return std::ferror(file_) != 0 ? -1 : 0;
    }

 private:
    std::FILE* file_;
    std::vector<char> buffer_;
};

// The native form of path into *native; false when it holds a NUL byte,
// which no file name can.
bool ToNative(FileSystem* fs, std::string_view path, std::string* native) {
    if (path.find('\0') != std::string_view::npos) return false;
    *native = fs->NativePath(path);
    return true;
}

}  // namespace

FileSystem* FileSystem::Default() {
    static FileSystemWindows fs;
    return &fs;
}

std::string FileSystemWindows::NativePath(std::string_view path) { return std::string(path); }

bool FileSystemWindows::Exists(std::string_view path) {
    std::string native;
    return ToNative(this, path, &native) &&
           GetFileAttributesA(native.c_str()) != INVALID_FILE_ATTRIBUTES;
}

int FileSystemWindows::OpenForRead(std::string_view path, std::unique_ptr<LineReader>* reader) {
    std::string native;
    if (!ToNative(this, path, &native)) return -1;
    ReadableFile opened;
    if (!opened.Open(native.c_str()).empty()) return -1;
    std::FILE* file = opened.ReleaseStream(true);
    if (file == nullptr) return -1;
    *reader = std::make_unique<WindowsLineReader>(file);
    return 0;
}

int FileSystemWindows::OpenForWrite(std::string_view path, std::unique_ptr<TextWriter>* writer) {
    std::string native;
    if (!ToNative(this, path, &native)) return -1;
    auto file = std::make_unique<ReplacingTextWriter>("\r\n");
    std::string why;
    if (file->Open(native, &why) != 0) return -1;
    *writer = std::move(file);
    return 0;
}

int FileSystemWindows::Remove(std::string_view path) {
    std::string native;
    return ToNative(this, path, &native) && DeleteFileA(native.c_str()) ? 0 : -1;
}

// Opens the file as OpenForWrite does, temporary file included, and lets
// it go again.
int FileSystemWindows::ProbeWrite(std::string_view path, std::string* why) {
    std::string native;
    if (!ToNative(this, path, &native)) {
        *why = "the path holds a NUL byte";
        return -1;
    }
    ReplacingFile file;
    if (file.Open(native, why) != 0) return -1;
    file.Abandon();
    return 0;
}

std::size_t FileSystemWindows::NameStart(std::string_view path) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const char c = path[i];
        if (c == '\\' || c == '/') {
            start = i + 1;
        } else if (IsDBCSLeadByte(static_cast<BYTE>(c)) && i + 1 < path.size()) {
            ++i;  // the trail byte belongs to this character
        }
    }
    return start;
}
