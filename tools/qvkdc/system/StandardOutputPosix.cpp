#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "system/StandardOutput.h"

std::string WriteToStandardOutput(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n < 0 ? std::strerror(errno) : "nothing was written";
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return "";
}

std::string CloseStandardOutput() {
    // A write can fail as late as the close (a file on a network file
    // system). EINTR leaves the descriptor closed; EBADF means there was
    // none, and a write to it would have failed already.
    const int closed = ::close(STDOUT_FILENO);
    const int error = errno;
    // Descriptor 1 stays taken, so that no file opened later becomes the
    // standard output.
    const int null = ::open("/dev/null", O_WRONLY);
    if (null >= 0 && null != STDOUT_FILENO) {
        ::dup2(null, STDOUT_FILENO);
        ::close(null);
    }
    if (closed != 0 && error != EINTR && error != EBADF) return std::strerror(error);
    return "";
}
