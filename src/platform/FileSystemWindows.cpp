#include "platform/FileSystemWindows.h"

#include <windows.h>

#include <io.h>
#include <share.h>

#include <cstdio>
#include <vector>

#include "platform/BufferedLineReader.h"
#include "platform/ReadableFile.h"

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

// The system's text for error, without its line end.
std::string SystemReason(DWORD error) {
    char* text = nullptr;
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string reason = n > 0 && text != nullptr ? std::string(text, n) : "error " + std::to_string(error);
    if (text != nullptr) LocalFree(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' ')) {
        reason.pop_back();
    }
    return reason;
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

// Opens what is there for writing, shared with nobody, without truncating
// it; where nothing is, creates a file of the name that goes on close.
int FileSystemWindows::ProbeWrite(std::string_view path, std::string* why) {
    std::string native;
    if (!ToNative(this, path, &native)) {
        *why = "the path holds a NUL byte";
        return -1;
    }
    HANDLE h = CreateFileA(native.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_NOT_FOUND) {
        h = CreateFileA(native.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    }
    if (h == INVALID_HANDLE_VALUE) {
        *why = SystemReason(GetLastError());
        return -1;
    }
    CloseHandle(h);
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
