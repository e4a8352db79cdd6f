#include "platform/FileSystemWindows.h"

#include <windows.h>

#include <share.h>

#include <cstdio>

namespace {

constexpr std::size_t kBufferSize = 1 << 16;

class WindowsLineReader : public LineReader {
 public:
    explicit WindowsLineReader(std::FILE* file) : file_(file) {}
    ~WindowsLineReader() override { std::fclose(file_); }
    WindowsLineReader(const WindowsLineReader&) = delete;
    WindowsLineReader& operator=(const WindowsLineReader&) = delete;

    // Text mode has turned CR LF into LF already; a CR left before the LF
    // (CR CR LF in the file) belongs to the line end as well.
    int ReadLine(std::string* line) override {
        line->clear();
        char chunk[512];
        bool any = false;
        while (std::fgets(chunk, static_cast<int>(sizeof chunk), file_) != nullptr) {
            any = true;
            line->append(chunk);
            if (line->back() == '\n') {
                line->pop_back();
                if (!line->empty() && line->back() == '\r') line->pop_back();
                return 1;
            }
        }
        if (std::ferror(file_) != 0) return -1;
        return any ? 1 : 0;
    }

 private:
    std::FILE* file_;
};

// The first error sticks.
class WindowsTextWriter : public TextWriter {
 public:
    explicit WindowsTextWriter(std::FILE* file) : file_(file) {
        std::setvbuf(file_, nullptr, _IOFBF, kBufferSize);
    }
    ~WindowsTextWriter() override {
        if (file_ != nullptr) std::fclose(file_);
    }
    WindowsTextWriter(const WindowsTextWriter&) = delete;
    WindowsTextWriter& operator=(const WindowsTextWriter&) = delete;

    int Write(std::string_view text) override {
        if (file_ == nullptr || failed_) return -1;
        if (!text.empty() && std::fwrite(text.data(), 1, text.size(), file_) != text.size()) {
            failed_ = true;
            return -1;
        }
        return 0;
    }

    int Close() override {
        if (file_ == nullptr) return -1;
        const bool flushed = std::fflush(file_) == 0;
        const bool closed = std::fclose(file_) == 0;
        file_ = nullptr;
        return !failed_ && flushed && closed ? 0 : -1;
    }

 private:
    std::FILE* file_;
    bool failed_ = false;
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
    std::FILE* file = std::fopen(native.c_str(), "rt");
    if (file == nullptr) return -1;
    *reader = std::make_unique<WindowsLineReader>(file);
    return 0;
}

// _SH_DENYRW: no other open of the file, for reading or writing, while it
// is written.
int FileSystemWindows::OpenForWrite(std::string_view path, std::unique_ptr<TextWriter>* writer) {
    std::string native;
    if (!ToNative(this, path, &native)) return -1;
    std::FILE* file = _fsopen(native.c_str(), "wt", _SH_DENYRW);
    if (file == nullptr) return -1;
    *writer = std::make_unique<WindowsTextWriter>(file);
    return 0;
}

int FileSystemWindows::Remove(std::string_view path) {
    std::string native;
    return ToNative(this, path, &native) && DeleteFileA(native.c_str()) ? 0 : -1;
}
