#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

#include "SystemFiles.h"

std::string WhyNotWritableFile(const std::string& path) {
    struct stat st;
    const bool existed = ::stat(path.c_str(), &st) == 0;
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0) return std::strerror(errno);
    ::close(fd);
    if (!existed) ::unlink(path.c_str());
    return "";
}

OutputFile::~OutputFile() {
    if (IsOpen()) ::close(static_cast<int>(handle_));
}

std::string OutputFile::Open(const std::string& path) {
    // O_NONBLOCK keeps the open of a pipe without a reader from waiting;
    // writes then block as usual.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0) return std::strerror(errno);
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags != -1) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    handle_ = fd;
    error_.clear();
    return "";
}

void OutputFile::Write(std::string_view bytes) {
    while (IsOpen() && error_.empty() && !bytes.empty()) {
        const ssize_t n = ::write(static_cast<int>(handle_), bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error_ = n < 0 ? std::strerror(errno) : "nothing was written";
            return;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

std::string OutputFile::Close() {
    if (!IsOpen()) return error_.empty() ? "the file is not open" : error_;
    if (::close(static_cast<int>(handle_)) != 0 && error_.empty()) error_ = std::strerror(errno);
    handle_ = kClosed;
    return error_;
}

std::size_t NameLengthLimit(const std::string& folder) {
    const long limit = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
    return limit > 0 ? static_cast<std::size_t>(limit) : NAME_MAX;
}

void KeepRunningPastFileSizeLimit() { std::signal(SIGXFSZ, SIG_IGN); }
