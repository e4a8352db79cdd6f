#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>

#include "examine/ReplacingFile.h"

namespace {

constexpr int kNameTries = 64;
constexpr int kMaxLinks = 40;  // as many as the kernel follows in one path

Status Reason() { return Status::FromSystem(errno); }

// An exclusive flock, not waited for; 0 or -1 with errno.
int Lock(int fd) {
    int rc;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    return rc;
}

int Fd(std::intptr_t handle) { return static_cast<int>(handle); }

// The folder part of path, up to and including its last slash; "" when it
// has none (the working directory).
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// path with each symbolic link at its end followed, into *final: the file
// that an open of path reaches, or would create. False with errno set for a
// loop of links or a link that cannot be read.
bool FollowLinks(const std::string& path, std::string* final) {
    *final = path;
    for (int hops = 0; hops <= kMaxLinks; ++hops) {
        struct stat st;
        if (::lstat(final->c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
        char text[PATH_MAX];
        const ssize_t n = ::readlink(final->c_str(), text, sizeof text);
        if (n < 0) return false;
        if (n == 0 || n == static_cast<ssize_t>(sizeof text)) {
            errno = n == 0 ? ENOENT : ENAMETOOLONG;
            return false;
        }
        const std::string link(text, static_cast<std::size_t>(n));
        *final = link.front() == '/' ? link : FolderOf(*final) + link;
    }
    errno = ELOOP;
    return false;
}

// Moves from over to. A target that did not exist when it was opened
// (replace false) must not exist now either: a file that another writer
// made meanwhile is not replaced, and the move fails with EEXIST. Where
// the file system cannot tell (EINVAL), the file is moved in regardless.
int MoveIn(const std::string& from, const std::string& to, bool replace) {
    if (!replace) {
        if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
        if (errno != EINVAL && errno != ENOSYS) return -1;
    }
    return ::rename(from.c_str(), to.c_str());
}

}  // namespace

// The target is opened for writing without being created or truncated: a
// folder, a file without write permission, or a pipe without a reader (not
// waited for: O_NONBLOCK) fail here. Its flock keeps other writers off the
// file until the commit has moved the new one in.
Status ReplacingFile::Open(const std::string& target) {
    error_ = Status::OK();
    auto failOpen = [this](Status reason) {
        Abandon();
        return Fail(std::move(reason));
    };
    if (!FollowLinks(target, &target_)) {
        return failOpen(errno == ELOOP ? Status::FromSystem(ELOOP, "is a loop of links") : Reason());
    }
    struct stat st = {};
    const int fd = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0 && errno != ENOENT) return failOpen(Reason());
    if (fd >= 0) {
        held_ = fd;
        if (::fstat(fd, &st) != 0) return failOpen(Reason());
        if (!S_ISREG(st.st_mode)) {
            const int flags = ::fcntl(fd, F_GETFL);
            if (flags == -1 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1) return failOpen(Reason());
            out_ = held_;
            held_ = -1;
            direct_ = true;
            open_ = true;
            return Status::OK();
        }
        if (Lock(fd) != 0) return failOpen(errno == EWOULDBLOCK ? Status::FromSystem(errno, kAnotherWriter) : Reason());
    }
    // Created with the replaced file's mode as far as the umask lets it,
    // then given that mode exactly; a new target gets 0666 less the umask,
    // as any file the process creates.
    const mode_t mode = fd >= 0 ? (st.st_mode & 07777) : 0666;
    const std::string folder = FolderOf(target_);
    RemoveLeftoversOnce(folder);
    // The temporary file's name follows from the target's: a second writer
    // of the same target meets the first one's file, locked, and fails
    // here; an unlocked one is a killed writer's, and is taken over.
    temporary_ = folder + TemporaryName(SeedOf(std::string_view(target_).substr(folder.size())));
    for (int i = 0; i < kNameTries && out_ < 0; ++i) {
        const int made = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW | O_NONBLOCK,
                                mode & 0777);
        if (made < 0) {
            const int error = errno;
            temporary_.clear();
            // A link to nothing, in a folder that is not there either.
            if (error == ENOENT && target_ != target) {
                return failOpen(Status::FromSystem(error, "is a link to " + target_ + ", whose folder does not exist"));
            }
            return failOpen(Status::FromSystem(error));
        }
        if (Lock(made) != 0) {
            const int error = errno;
            ::close(made);
            temporary_.clear();
            return failOpen(error == EWOULDBLOCK ? Status::FromSystem(error, kAnotherWriter) : Status::FromSystem(error));
        }
        // Still the file of that name: the writer that held it may have
        // moved it over its target meanwhile. Then the name is free again.
        struct stat held = {}, named = {};
        if (::fstat(made, &held) != 0 || ::lstat(temporary_.c_str(), &named) != 0 || held.st_ino != named.st_ino ||
            held.st_dev != named.st_dev) {
            ::close(made);
            continue;
        }
        if (!S_ISREG(held.st_mode)) {
            ::close(made);
            temporary_.clear();
            return failOpen(Status::FromSystem(EEXIST));
        }
        out_ = made;
        const int flags = ::fcntl(made, F_GETFL);
        if (flags == -1 || ::fcntl(made, F_SETFL, flags & ~O_NONBLOCK) == -1 || ::ftruncate(made, 0) != 0) {
            return failOpen(Reason());
        }
    }
    if (out_ < 0) {
        temporary_.clear();
        return failOpen(Status::FromSystem(EAGAIN, kAnotherWriter));
    }
    if (fd >= 0) {
        // Only a privileged process may give a file away, and a file system
        // without modes keeps none: then the new file is the writer's, with
        // the mode it was created with. Neither fails the write.
        const bool sameOwner = st.st_uid == ::geteuid() && st.st_gid == ::getegid();
        [[maybe_unused]] const bool owned = sameOwner || ::fchown(Fd(out_), st.st_uid, st.st_gid) == 0;
        [[maybe_unused]] const bool moded = ::fchmod(Fd(out_), mode) == 0;
    }
    open_ = true;
    return Status::OK();
}

int ReplacingFile::RemoveLeftovers(const std::string& folder) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) return 0;
    int removed = 0;
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsTemporaryName(entry->d_name)) continue;
        const std::string path = folder + entry->d_name;
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
        if (fd < 0) continue;
        // A regular file, left alone for a while, that no writer holds, and
        // still the file of that name when it goes.
        struct stat held = {}, named = {};
        if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && held.st_mtime <= now - kLeftoverSeconds &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::lstat(path.c_str(), &named) == 0 &&
            named.st_ino == held.st_ino && named.st_dev == held.st_dev && ::unlink(path.c_str()) == 0) {
            ++removed;
        }
        ::close(fd);
    }
    ::closedir(dir);
    return removed;
}

Status ReplacingFile::Write(std::string_view bytes) {
    if (!error_.ok()) return error_;
    if (!open_) return Fail(Status::Error("the file is not open"));
    while (!bytes.empty()) {
        const ssize_t n = ::write(Fd(out_), bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return Fail(n < 0 ? Reason() : Status::Error("nothing was written"));
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return Status::OK();
}

// The data reaches the disk (fsync) before the rename makes it the target:
// after a crash of the system the name then leads to the old file or to the
// whole new one, never to a new file whose blocks were not yet written.
// The folder is not synced after the rename: that would only decide which
// of the two whole files a crash right after Commit leaves, and costs
// about as much again per file (docs/design.md).
Status ReplacingFile::Commit() {
    if (!open_) return Fail(Status::Error("the file is not open"));
    if (!error_.ok()) {
        Abandon();
        return error_;
    }
    const int out = Fd(out_);
    if (direct_) {
        out_ = -1;
        open_ = false;
        direct_ = false;
        return ::close(out) == 0 ? Status::OK() : Fail(Reason());
    }
    auto failCommit = [this](Status reason) {
        Abandon();
        return Fail(std::move(reason));
    };
    // Moved in while still open and locked, so that no second writer takes
    // the temporary file's name over before it is gone.
    if (::fsync(out) != 0) return failCommit(Reason());
    if (MoveIn(temporary_, target_, held_ >= 0) != 0) {
        return failCommit(errno == EEXIST ? Status::FromSystem(EEXIST, kMadeMeanwhile) : Reason());
    }
    temporary_.clear();
    out_ = -1;
    const int closed = ::close(out);
    const int error = errno;
    Abandon();  // lets the replaced file go
    // The file is in place, whole and on disk; a close that fails still says so.
    return closed == 0 ? Status::OK() : Fail(Status::FromSystem(error));
}

// The temporary file goes while it is still locked: once closed, its name
// may be another writer's.
void ReplacingFile::Abandon() {
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    if (out_ >= 0) ::close(Fd(out_));
    if (held_ >= 0) ::close(Fd(held_));
    out_ = -1;
    held_ = -1;
    temporary_.clear();
    open_ = false;
    direct_ = false;
}
