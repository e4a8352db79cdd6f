#include "platform/FileSystemWindows.h"

#include <windows.h>

#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "examine/BufferedLineReader.h"
#include "examine/ReadableFile.h"
#include "examine/ReplacingFile.h"
#include "platform/PathFault.h"
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
    // The C runtime keeps the system's code of a failed read in _doserrno.
    int NextBlock(std::string_view* block, Status* error) override {
        _doserrno = 0;
        const std::size_t n = std::fread(buffer_.data(), 1, buffer_.size(), file_);
        if (n > 0) {
            *block = std::string_view(buffer_.data(), n);
            return 1;
        }
        if (std::ferror(file_) == 0) return 0;
        const int code = static_cast<int>(_doserrno);
        *error = code != 0 ? Status::FromSystem(code) : Status::Error("the file could not be read");
        return -1;
    }

 private:
    std::FILE* file_;
    std::vector<char> buffer_;
};

// The native form of path into *native; an error (ERROR_INVALID_NAME, as
// the system's calls would answer) when no platform takes the path
// (PathFault.h).
Status ToNative(FileSystem* fs, std::string_view path, std::string* native) {
    std::string fault = PathFault(path);
    if (!fault.empty()) return Status::FromSystem(ERROR_INVALID_NAME, std::move(fault));
    *native = fs->NativePath(path);
    return Status::OK();
}

}  // namespace

FileSystem* FileSystem::Default() {
    static FileSystemWindows fs;
    return &fs;
}

std::string FileSystemWindows::NativePath(std::string_view path) { return std::string(path); }

bool FileSystemWindows::Exists(std::string_view path) {
    std::string native;
    return ToNative(this, path, &native).ok() &&
           GetFileAttributesA(native.c_str()) != INVALID_FILE_ATTRIBUTES;
}

Status FileSystemWindows::OpenForRead(std::string_view path, std::unique_ptr<LineReader>* reader) {
    std::string native;
    Status status = ToNative(this, path, &native);
    if (!status.ok()) return status;
    ReadableFile opened;
    status = opened.Open(native.c_str());
    if (!status.ok()) return status;
    std::FILE* file = opened.ReleaseStream(true);
    if (file == nullptr) return Status::Error("the file could not be opened as a stream");
    *reader = std::make_unique<WindowsLineReader>(file);
    return Status::OK();
}

Status FileSystemWindows::OpenForWrite(std::string_view path, std::unique_ptr<TextWriter>* writer) {
    std::string native;
    Status status = ToNative(this, path, &native);
    if (!status.ok()) return status;
    auto file = std::make_unique<ReplacingTextWriter>("\r\n");
    status = file->Open(native);
    if (status.ok()) *writer = std::move(file);
    return status;
}

Status FileSystemWindows::Remove(std::string_view path) {
    std::string native;
    Status status = ToNative(this, path, &native);
    if (status.ok() && !DeleteFileA(native.c_str())) status = Status::FromSystem(static_cast<int>(GetLastError()));
    return status;
}

// Opens the file as OpenForWrite does, temporary file included, and lets
// it go again.
Status FileSystemWindows::ProbeWrite(std::string_view path) {
    std::string native;
    Status status = ToNative(this, path, &native);
    if (!status.ok()) return status;
    ReplacingFile file;
    status = file.Open(native);
    file.Abandon();
    return status;
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
