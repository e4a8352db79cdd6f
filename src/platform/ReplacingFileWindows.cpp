#include <windows.h>

#include <vector>

#include "examine/FileSystem.h"
#include "examine/ReplacingFile.h"

namespace {

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

// Moves the open file over target (replacing a file there when replace),
// by its full path, and writes the move through; 0 or the system's error.
DWORD MoveOpenFile(HANDLE file, const std::string& target, bool replace) {
    std::vector<char> full(MAX_PATH);
    DWORD length = GetFullPathNameA(target.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length >= full.size()) {
        full.resize(length + 1);
        length = GetFullPathNameA(target.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    }
    if (length == 0 || length >= full.size()) return length == 0 ? GetLastError() : ERROR_FILENAME_EXCED_RANGE;
    const int n = MultiByteToWideChar(CP_ACP, 0, full.data(), -1, nullptr, 0);
    if (n <= 0) return GetLastError();
    const std::size_t size = sizeof(FILE_RENAME_INFO) + static_cast<std::size_t>(n) * sizeof(WCHAR);
    std::vector<unsigned char> buffer(size);
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    info->ReplaceIfExists = replace ? TRUE : FALSE;
    info->RootDirectory = nullptr;
    info->FileNameLength = static_cast<DWORD>((n - 1) * sizeof(WCHAR));
    MultiByteToWideChar(CP_ACP, 0, full.data(), -1, info->FileName, n);
    if (!SetFileInformationByHandle(file, FileRenameInfo, info, static_cast<DWORD>(size))) return GetLastError();
    return FlushFileBuffers(file) ? 0 : GetLastError();
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
    // The temporary file's name follows from the target's (letter case
    // aside, as Windows names go): a second writer of the same target meets
    // the first one's file, open and shared with nobody, and fails here; a
    // file nobody holds is a killed writer's, and is taken over. DELETE
    // access lets the file be moved in, or removed, while it is still open.
    std::string folded = target_.substr(folder.size());
    for (char& c : folded) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    temporary_ = folder + TemporaryName(SeedOf(folded));
    HANDLE made = CreateFileA(temporary_.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
    // A killed writer's file kept the hidden or system attribute of its
    // target, which CREATE_ALWAYS refuses to drop: it goes first.
    if (made == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED && DeleteFileA(temporary_.c_str())) {
        made = CreateFileA(temporary_.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW, attributes, nullptr);
    }
    if (made == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        temporary_.clear();
        Abandon();
        return Fail(error == ERROR_SHARING_VIOLATION ? Status::FromSystem(static_cast<int>(error), kAnotherWriter)
                                                     : Reason(error));
    }
    out_ = AsInt(made);
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
    if (direct_) {
        out_ = -1;
        open_ = false;
        direct_ = false;
        return CloseHandle(out) ? Status::OK() : Fail(Reason(GetLastError()));
    }
    auto failCommit = [this](DWORD error) {
        Abandon();
        return Fail(Reason(error));
    };
    if (!FlushFileBuffers(out)) return failCommit(GetLastError());
    // A target that did not exist when it was opened must not exist now
    // either: a file that another program made meanwhile is not replaced.
    // The file is moved while still open, so that no second writer takes
    // its name over before it is gone.
    const bool replace = held_ != -1;
    if (held_ != -1) CloseHandle(AsHandle(held_));
    held_ = -1;
    const DWORD moved = MoveOpenFile(out, target_, replace);
    if (moved != 0) {
        if (!replace && (moved == ERROR_ALREADY_EXISTS || moved == ERROR_FILE_EXISTS)) {
            Abandon();
            return Fail(Status::FromSystem(static_cast<int>(moved), kMadeMeanwhile));
        }
        return failCommit(moved);
    }
    temporary_.clear();
    out_ = -1;
    const bool closed = CloseHandle(out) != 0;
    const DWORD error = GetLastError();
    Abandon();
    // The file is in place, whole and on disk; a close that fails still says so.
    return closed ? Status::OK() : Fail(Reason(error));
}

// The temporary file is removed through its own handle, before it is
// closed: once closed, its name may be another writer's.
void ReplacingFile::Abandon() {
    if (out_ != -1 && !temporary_.empty()) {
        FILE_DISPOSITION_INFO gone = {};
        gone.DeleteFile = TRUE;
        SetFileInformationByHandle(AsHandle(out_), FileDispositionInfo, &gone, sizeof gone);
    }
    if (out_ != -1) CloseHandle(AsHandle(out_));
    if (held_ != -1) CloseHandle(AsHandle(held_));
    out_ = -1;
    held_ = -1;
    temporary_.clear();
    open_ = false;
    direct_ = false;
}
