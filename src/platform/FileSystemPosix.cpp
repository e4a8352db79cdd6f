#include "platform/FileSystemPosix.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/BufferedLineReader.h"
#include "platform/ReadableFile.h"

namespace {

constexpr std::size_t kBufferSize = 1 << 16;

class UniqueFd {
 public:
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() { Reset(); }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int Release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }
    // Closes the descriptor; false when close reports an error.
    bool Reset() {
        if (fd_ < 0) return true;
        const int rc = ::close(fd_);
        fd_ = -1;
        return rc == 0;
    }

 private:
    int fd_;
};

class PosixLineReader : public BufferedLineReader {
 public:
    PosixLineReader() : buffer_(kBufferSize) {}
    // Opens the file. REQUIRES: called once, before the first line.
    bool Open(const std::string& native) { return file_.Open(native.c_str()).empty(); }

 protected:
    int NextBlock(std::string_view* block) override {
        const std::ptrdiff_t n = file_.Read(buffer_.data(), buffer_.size());
        if (n <= 0) return n < 0 ? -1 : 0;
        *block = std::string_view(buffer_.data(), static_cast<std::size_t>(n));
        return 1;
    }

 private:
    ReadableFile file_;
    std::vector<char> buffer_;
};

// Collects text and writes it in blocks; the first error sticks.
class PosixTextWriter : public TextWriter {
 public:
    explicit PosixTextWriter(int fd) : fd_(fd) { buffer_.reserve(kBufferSize); }
    ~PosixTextWriter() override {
        if (!closed_) Close();
    }

    int Write(std::string_view text) override {
        if (failed_ || closed_) return -1;
        if (buffer_.size() + text.size() > kBufferSize && !Flush()) return -1;
        if (text.size() >= kBufferSize) return WriteAll(text.data(), text.size()) ? 0 : -1;
        buffer_.append(text);
        return 0;
    }

    int Close() override {
        if (closed_) return -1;
        closed_ = true;
        const bool flushed = !failed_ && Flush();
        const bool closed = fd_.Reset();
        return flushed && closed ? 0 : -1;
    }

 private:
    bool Flush() {
        const bool ok = WriteAll(buffer_.data(), buffer_.size());
        buffer_.clear();
        return ok;
    }

    bool WriteAll(const char* data, std::size_t size) {
        while (size > 0) {
            const ssize_t n = ::write(fd_.get(), data, size);
            if (n < 0) {
                if (errno == EINTR) continue;
                failed_ = true;
                return false;
            }
            data += n;
            size -= static_cast<std::size_t>(n);
        }
        return true;
    }

    UniqueFd fd_;
    std::string buffer_;
    bool failed_ = false;
    bool closed_ = false;
};

// The native form of path into *native; false when it holds a NUL byte,
// which no file name can.
bool ToNative(FileSystem* fs, std::string_view path, std::string* native) {
    if (path.find('\0') != std::string_view::npos) return false;
    *native = fs->NativePath(path);
    return true;
}

bool ClearNonBlocking(int fd) {
    const int flags = ::fcntl(fd, F_GETFL);
    return flags != -1 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != -1;
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
    return ToNative(this, path, &native) && ::lstat(native.c_str(), &st) == 0;
}

int FileSystemPosix::OpenForRead(std::string_view path, std::unique_ptr<LineReader>* reader) {
    std::string native;
    if (!ToNative(this, path, &native)) return -1;
    auto file = std::make_unique<PosixLineReader>();
    if (!file->Open(native)) return -1;
    *reader = std::move(file);
    return 0;
}

// Opened without O_TRUNC and truncated only once the lock is held, so that a
// file another writer holds is not clobbered. Only regular files are locked
// and truncated; O_NONBLOCK keeps the open of a pipe without reader from
// hanging.
int FileSystemPosix::OpenForWrite(std::string_view path, std::unique_ptr<TextWriter>* writer) {
    std::string native;
    if (!ToNative(this, path, &native)) return -1;
    UniqueFd fd(::open(native.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666));
    struct stat st;
    if (!fd.valid() || ::fstat(fd.get(), &st) != 0) return -1;
    if (!ClearNonBlocking(fd.get())) return -1;
    if (S_ISREG(st.st_mode)) {
        int rc;
        do {
            rc = ::flock(fd.get(), LOCK_EX | LOCK_NB);
        } while (rc != 0 && errno == EINTR);
        if (rc != 0 || ::ftruncate(fd.get(), 0) != 0) return -1;
    }
    *writer = std::make_unique<PosixTextWriter>(fd.Release());
    return 0;
}

int FileSystemPosix::Remove(std::string_view path) {
    std::string native;
    return ToNative(this, path, &native) && ::unlink(native.c_str()) == 0 ? 0 : -1;
}

// Opens what is there without creating or truncating it; where nothing is,
// creates a file of the name exclusively and removes it again.
int FileSystemPosix::ProbeWrite(std::string_view path, std::string* why) {
    std::string native;
    if (!ToNative(this, path, &native)) {
        *why = "the path holds a NUL byte";
        return -1;
    }
    UniqueFd fd(::open(native.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd.valid() && errno == ENOENT) {
        UniqueFd made(::open(native.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (made.valid()) {
            made.Reset();
            ::unlink(native.c_str());
            return 0;
        }
    }
    if (!fd.valid()) {
        *why = std::strerror(errno);
        return -1;
    }
    struct stat st;
    if (::fstat(fd.get(), &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
        *why = "another program is writing the file";
        return -1;
    }
    return 0;
}

// Every backslash becomes a slash (NativePath), so both separate.
std::size_t FileSystemPosix::NameStart(std::string_view path) {
    const std::size_t last = path.find_last_of("/\\");
    return last == std::string_view::npos ? 0 : last + 1;
}
