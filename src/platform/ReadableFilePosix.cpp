// ReadableFile on POSIX: stat first, so that nothing but a regular file is
// opened; O_NONBLOCK, so that should a pipe have taken its place meanwhile,
// the open does not wait for its writer; fstat of what was opened decides.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "examine/ReadableFile.h"

namespace {

// What is at a path when it is no regular file, from its mode: a folder
// with EISDIR, the code a read of it gives; the rest as the layer's own
// finding.
Status NotAFile(mode_t mode) {
    if (S_ISDIR(mode)) return Status::FromSystem(EISDIR, "is a folder");
    if (S_ISFIFO(mode)) return Status::Error("is a pipe (FIFO), not a file");
    if (S_ISSOCK(mode)) return Status::Error("is a socket, not a file");
    if (S_ISCHR(mode) || S_ISBLK(mode)) return Status::Error("is a device, not a file");
    return Status::Error("is not a regular file");
}

// Why path could not be looked at or opened, from error: a symbolic link
// whose target is not there is told as such, any other failure in the
// system's words (a loop of links: "Too many levels of symbolic links").
Status Why(const char* path, int error) {
    struct stat st;
    if (error == ENOENT && ::lstat(path, &st) == 0 && S_ISLNK(st.st_mode)) {
        return Status::FromSystem(error, "is a link to nothing");
    }
    return Status::FromSystem(error);
}

}  // namespace

ReadableFile::~ReadableFile() { Close(); }

void ReadableFile::Close() {
    if (IsOpen()) ::close(static_cast<int>(handle_));
    handle_ = kClosed;
}

Status ReadableFile::Open(const char* path) {
    readError_ = Status::OK();
    struct stat st;
    if (::stat(path, &st) != 0) return Why(path, errno);
    if (!S_ISREG(st.st_mode)) return NotAFile(st.st_mode);
    int fd;
    do {
        fd = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return Why(path, errno);
    handle_ = fd;
    if (::fstat(fd, &st) != 0) {
        const int error = errno;
        Close();
        return Status::FromSystem(error);
    }
    if (!S_ISREG(st.st_mode)) {
        Close();
        return NotAFile(st.st_mode);
    }
    // A regular file reads at once anyway; the stream and the reads see a
    // descriptor in its usual mode.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags == -1 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1) {
        const int error = errno;
        Close();
        return Status::FromSystem(error);
    }
    size_ = static_cast<std::uint64_t>(st.st_size);
    return Status::OK();
}

std::ptrdiff_t ReadableFile::Read(char* data, std::size_t size) {
    for (;;) {
        const ssize_t n = ::read(static_cast<int>(handle_), data, size);
        if (n >= 0) return n;
        if (errno == EINTR) continue;
        readError_ = Status::FromSystem(errno);
        return -1;
    }
}

std::FILE* ReadableFile::ReleaseStream(bool) {
    std::FILE* stream = ::fdopen(static_cast<int>(handle_), "rb");
    if (stream != nullptr) handle_ = kClosed;
    Close();
    return stream;
}
