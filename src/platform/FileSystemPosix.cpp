#include "platform/FileSystemPosix.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <utility>
#include <vector>

#include "examine/BufferedLineReader.h"
#include "examine/ReadableFile.h"
#include "examine/ReplacingFile.h"
#include "platform/PathFault.h"
#include "platform/ReplacingTextWriter.h"

namespace {

constexpr std::size_t kBufferSize = 1 << 16;

class PosixLineReader : public BufferedLineReader {
 public:
    PosixLineReader() : buffer_(kBufferSize) {}
    // Opens the file. REQUIRES: called once, before the first line.
    Status Open(const std::string& native) { return file_.Open(native.c_str()); }

 protected:
    int NextBlock(std::string_view* block, Status* error) override {
        const std::ptrdiff_t n = file_.Read(buffer_.data(), buffer_.size());
        if (n < 0) *error = file_.ReadError();
        if (n <= 0) return n < 0 ? -1 : 0;
        *block = std::string_view(buffer_.data(), static_cast<std::size_t>(n));
        return 1;
    }

 private:
    ReadableFile file_;
    std::vector<char> buffer_;
};

// The native form of path into *native; an error (EINVAL, as the system's
// calls answer a NUL byte) when no platform takes the path (PathFault.h).
Status ToNative(FileSystem* fs, std::string_view path, std::string* native) {
    std::string fault = PathFault(path);
    if (!fault.empty()) return Status::FromSystem(EINVAL, std::move(fault));
    *native = fs->NativePath(path);
    return Status::OK();
}

}  // namespace

FileSystem* FileSystem::Default() {
    static FileSystemPosix fs;
    return &fs;
}

std::string FileSystemPosix::NativePath(std::string_view path) {
    std::string native;
    if (!path.empty() && path.front() == '\\') {
        std::error_code ec;
        const std::filesystem::path cwd = std::filesystem::current_path(ec);
        if (!ec) native = cwd.string();
        if (native.empty() || native.back() != '/') native.push_back('/');
        path.remove_prefix(1);
    }
    const std::size_t from = native.size();
    native.append(path);
    std::replace(native.begin() + static_cast<std::ptrdiff_t>(from), native.end(), '\\', '/');
    return native;
}

// lstat: the entry itself, a link to nothing included.
bool FileSystemPosix::Exists(std::string_view path) {
    std::string native;
    struct stat st;
    return ToNative(this, path, &native).ok() && ::lstat(native.c_str(), &st) == 0;
}

Status FileSystemPosix::OpenForRead(std::string_view path, std::unique_ptr<LineReader>* reader) {
    std::string native;
    Status status = ToNative(this, path, &native);
    if (!status.ok()) return status;
    auto file = std::make_unique<PosixLineReader>();
    status = file->Open(native);
    if (status.ok()) *reader = std::move(file);
    return status;
}

Status FileSystemPosix::OpenForWrite(std::string_view path, std::unique_ptr<TextWriter>* writer) {
    std::string native;
    Status status = ToNative(this, path, &native);
    if (!status.ok()) return status;
    auto file = std::make_unique<ReplacingTextWriter>("\n");
    status = file->Open(native);
    if (status.ok()) *writer = std::move(file);
    return status;
}

Status FileSystemPosix::Remove(std::string_view path) {
    std::string native;
    Status status = ToNative(this, path, &native);
    if (status.ok() && ::unlink(native.c_str()) != 0) status = Status::FromSystem(errno);
    return status;
}

// Opens the file as OpenForWrite does, temporary file included, and lets
// it go again.
Status FileSystemPosix::ProbeWrite(std::string_view path) {
    std::string native;
    Status status = ToNative(this, path, &native);
    if (!status.ok()) return status;
    ReplacingFile file;
    status = file.Open(native);
    file.Abandon();
    return status;
}

// Every backslash becomes a slash (NativePath), so both separate.
std::size_t FileSystemPosix::NameStart(std::string_view path) {
    const std::size_t last = path.find_last_of("/\\");
    return last == std::string_view::npos ? 0 : last + 1;
}
