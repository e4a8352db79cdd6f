#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "DiskFile.h"

namespace qvsim {

bool ReadDiskFile(const char* path, std::size_t maxBytes, std::string* bytes) {
    bytes->clear();
    if (path == nullptr) return false;
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat st;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
              static_cast<unsigned long long>(st.st_size) <= maxBytes;
    // The size is where reading starts; a file that grows meanwhile is read
    // on to its end, in blocks.
    std::size_t used = 0;
    if (ok) bytes->resize(static_cast<std::size_t>(st.st_size));
    while (ok) {
        if (used == bytes->size()) {
            if (used >= maxBytes) {
                char probe;
                const ssize_t more = ::read(fd, &probe, 1);
                ok = more == 0;
                break;
            }
            bytes->resize(used + (1 << 16) < maxBytes ? used + (1 << 16) : maxBytes);
        }
        const ssize_t n = ::read(fd, &(*bytes)[used], bytes->size() - used);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        used += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes->resize(ok ? used : 0);
    return ok;
}

}  // namespace qvsim
