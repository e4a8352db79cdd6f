// ReadableFile on Windows: CreateFile, which opens a file, a pipe or a
// device alike without waiting (a folder only with backup semantics, which
// is not asked for); GetFileType of what was opened decides.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include "examine/ReadableFile.h"

namespace {

HANDLE AsHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// Why path could not be opened, from error and what the path itself is: a
// folder, or a link (a reparse point) whose target is not there. The
// existence test sees the link itself; only the open follows it.
Status Why(const char* path, DWORD error) {
    const int code = static_cast<int>(error);
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return Status::FromSystem(code, "is a folder");
        if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
            (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)) {
            return Status::FromSystem(code, "is a link to nothing");
        }
    }
    return Status::FromSystem(code);
}

}  // namespace

ReadableFile::~ReadableFile() { Close(); }

void ReadableFile::Close() {
    if (IsOpen()) CloseHandle(AsHandle(handle_));
    handle_ = kClosed;
}

Status ReadableFile::Open(const char* path) {
    readError_ = Status::OK();
    const HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Why(path, GetLastError());
    handle_ = reinterpret_cast<std::intptr_t>(file);
    const DWORD type = GetFileType(file);
    if (type != FILE_TYPE_DISK) {
        Close();
        return Status::Error(type == FILE_TYPE_PIPE ? "is a pipe, not a file" : "is a device, not a file");
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size)) {
        const DWORD error = GetLastError();
        Close();
        return Status::FromSystem(static_cast<int>(error));
    }
    size_ = static_cast<std::uint64_t>(size.QuadPart);
    return Status::OK();
}

std::ptrdiff_t ReadableFile::Read(char* data, std::size_t size) {
    const DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
    DWORD n = 0;
    if (!ReadFile(AsHandle(handle_), data, chunk, &n, nullptr)) {
        readError_ = Status::FromSystem(static_cast<int>(GetLastError()));
        return -1;
    }
    return static_cast<std::ptrdiff_t>(n);
}

// The C runtime takes the handle over; in text mode its reads turn CR LF
// into LF and end at a Ctrl-Z byte, as for a file opened with fopen "rt".
std::FILE* ReadableFile::ReleaseStream(bool text) {
    const int fd = _open_osfhandle(handle_, _O_RDONLY | (text ? _O_TEXT : _O_BINARY));
    if (fd == -1) {
        Close();
        return nullptr;
    }
    handle_ = kClosed;  // the descriptor owns it now
    std::FILE* stream = _fdopen(fd, text ? "rt" : "rb");
    if (stream == nullptr) _close(fd);
    return stream;
}
