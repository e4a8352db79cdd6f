#include <windows.h>

#include "examine/FileSystem.h"
#include "examine/ReplacingFile.h"

namespace {

constexpr int kNameTries = 64;
constexpr DWORD kChunk = 1u << 30;
// What the new file takes over of the attributes of the file it replaces.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

HANDLE AsHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }
std::intptr_t AsInt(HANDLE handle) { return reinterpret_cast<std::intptr_t>(handle); }

Status Reason(DWORD error) { return Status::FromSystem(static_cast<int>(error)); }

// The path of the file that the open handle of a link leads to ("\\?\C:\...").
bool FinalPath(HANDLE file, std::string* path, DWORD* error) {
    char buffer[2 * MAX_PATH];
    const DWORD n = GetFinalPathNameByHandleA(file, buffer, sizeof buffer, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (n == 0 || n >= sizeof buffer) {
        *error = n == 0 ? GetLastError() : ERROR_FILENAME_EXCED_RANGE;
        return false;
    }
    path->assign(buffer, n);
    return true;
}

}  // namespace

// The target is opened for writing, shared with nobody, without being
// created or truncated: a folder, a read-only file and a file that another
// program has open (a spreadsheet showing it) fail here, and no other
// program opens it until the commit.
Status ReplacingFile::Open(const std::string& target) {
    error_ = Status::OK();
    target_ = target;
    auto failOpen = [this](DWORD error) {
        Abandon();
        return Fail(Reason(error));
    };
    const HANDLE held = CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    if (held == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND) return failOpen(error);
    } else {
        held_ = AsInt(held);
        if (GetFileType(held) != FILE_TYPE_DISK) {
            out_ = held_;
            held_ = -1;
            direct_ = true;
            open_ = true;
            return Status::OK();
        }
        BY_HANDLE_FILE_INFORMATION info;
        if (!GetFileInformationByHandle(held, &info)) return failOpen(GetLastError());
        if ((info.dwFileAttributes & kKeptAttributes) != 0) attributes = info.dwFileAttributes & kKeptAttributes;
        const DWORD own = GetFileAttributesA(target.c_str());
        DWORD error = 0;
        if (own != INVALID_FILE_ATTRIBUTES && (own & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
            !FinalPath(held, &target_, &error)) {
            return failOpen(error);
        }
    }
    const std::string folder = target_.substr(0, FileSystem::Default()->NameStart(target_));
    RemoveLeftoversOnce(folder);
    for (int i = 0; i < kNameTries && out_ == -1; ++i) {
        temporary_ = folder + TemporaryName(NextSeed());
        const HANDLE made = CreateFileA(temporary_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr);
        if (made != INVALID_HANDLE_VALUE) {
            out_ = AsInt(made);
        } else {
            const DWORD error = GetLastError();
            temporary_.clear();
            if ((error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) || i + 1 == kNameTries) {
                return failOpen(error);
            }
        }
    }
    open_ = true;
    return Status::OK();
}

// A live writer's temporary file is open and shared with nobody: it cannot
// be deleted, and DeleteFileA passes it by.
int ReplacingFile::RemoveLeftovers(const std::string& folder) {
    WIN32_FIND_DATAA found;
    const HANDLE find = FindFirstFileA((folder + "~qvkdc-*.tmp").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return 0;
    FILETIME nowTime;
    GetSystemTimeAsFileTime(&nowTime);
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    const unsigned long long now = ticks(nowTime);
    const unsigned long long wait = static_cast<unsigned long long>(kLeftoverSeconds) * 10000000ull;  // 100 ns
    int removed = 0;
    do {
        const unsigned long long written = ticks(found.ftLastWriteTime);
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && IsTemporaryName(found.cFileName) &&
            written + wait <= now && DeleteFileA((folder + found.cFileName).c_str())) {
            ++removed;
        }
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return removed;
}

Status ReplacingFile::Write(std::string_view bytes) {
    if (!error_.ok()) return error_;
    if (!open_) return Fail(Status::Error("the file is not open"));
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() > kChunk ? kChunk : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(AsHandle(out_), bytes.data(), chunk, &written, nullptr)) return Fail(Reason(GetLastError()));
        if (written == 0) return Fail(Status::Error("nothing was written"));
        bytes.remove_prefix(written);
    }
    return Status::OK();
}

// The data reaches the disk (FlushFileBuffers) before the move makes it the
// target, and the move is written through. The replaced file is let go just
// before the move: Windows replaces no file that is open, even by the
// mover.
Status ReplacingFile::Commit() {
    if (!open_) return Fail(Status::Error("the file is not open"));
    if (!error_.ok()) {
        Abandon();
        return error_;
    }
    const HANDLE out = AsHandle(out_);
    out_ = -1;
    if (direct_) {
        open_ = false;
        direct_ = false;
        return CloseHandle(out) ? Status::OK() : Fail(Reason(GetLastError()));
    }
    auto failCommit = [this](DWORD error) {
        Abandon();
        return Fail(Reason(error));
    };
    DWORD error = 0;
    bool flushed = FlushFileBuffers(out) != 0;
    if (!flushed) error = GetLastError();
    if (!CloseHandle(out) && flushed) {
        error = GetLastError();
        flushed = false;
    }
    if (!flushed) return failCommit(error);
    // A target that did not exist when it was opened must not exist now
    // either: a file that another writer made meanwhile is not replaced.
    const DWORD replace = held_ != -1 ? MOVEFILE_REPLACE_EXISTING : 0;
    if (held_ != -1) CloseHandle(AsHandle(held_));
    held_ = -1;
    if (!MoveFileExA(temporary_.c_str(), target_.c_str(), replace | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        if (replace == 0 && (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS)) {
            Abandon();
            return Fail(Status::FromSystem(static_cast<int>(error), kMadeMeanwhile));
        }
        return failCommit(error);
    }
    temporary_.clear();
    Abandon();
    return Status::OK();
}

void ReplacingFile::Abandon() {
    if (out_ != -1) CloseHandle(AsHandle(out_));
    if (!temporary_.empty()) DeleteFileA(temporary_.c_str());
    if (held_ != -1) CloseHandle(AsHandle(held_));
    out_ = -1;
    held_ = -1;
    temporary_.clear();
    open_ = false;
    direct_ = false;
}
