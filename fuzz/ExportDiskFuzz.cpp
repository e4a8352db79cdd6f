// Fuzz target: a whole output run on disk, through the platform's file
// system. The table files and the option file lie under a fresh root
// folder; the run writes into the root's folder "out", which the input may
// have filled beforehand with files to replace and things in the way.
//
// Input: the sections of ExportInput.h (the six table files, the option
// file, the host calls to fail), then the output folder, one entry a line;
// other lines are ignored, as are names with a slash, a backslash or a NUL
// byte:
//   file NAME SIZE      an old file NAME.csv of SIZE bytes
//   readonly NAME SIZE  the same, read-only (which does not stop root)
//   locked NAME SIZE    the same, locked by another writer during the run
//   folder NAME         a folder NAME.csv, holding a file
//   pipe NAME           a FIFO NAME.csv without a reader
//   full NAME           NAME.csv a symbolic link to /dev/full, which fails
//                       every write (left out where there is no /dev/full)
//   missing             no output folder at all, nor entries in it
//   name TEXT           the output name of the run ("F" by default; "name"
//                       alone: the plan names)
//   plans I J ...       the plans the run exports, by their index in the
//                       model, a plan may come again (all four by default)
//
// The same run is then made in memory (MemoryFiles) for reference. After
// each input: no host block held, no bad free, every trace frame closed,
// one message 9999 exactly when the status is negative; the files outside
// the output folder as they were laid out and nothing new there; in the
// output folder every entry either as it was laid out or a CSV file with
// the bytes the reference run wrote under its name, a locked file
// untouched, and an entry gone only where the run removed a file it failed
// to write; a status that differs from the reference's only when opening
// or writing a file failed; and the existence check finding a file the run
// wrote. The root is removed after each input, the target's temporary
// folder at exit (not after a crash, which leaves it to be looked at).
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <charconv>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "ExportInput.h"
#include "FuzzCheck.h"
#include "MemoryFiles.h"
#include "FileSystemWrapper.h"
#include "HostCalls.h"
#include "ExamineRun.h"
#include "qvhostsim/qvhostsim.h"

namespace stdfs = std::filesystem;

namespace {

constexpr char kOutFolder[] = "\\out";
constexpr char kOutPrefix[] = "\\out\\";
constexpr std::size_t kLayoutSection = kExportFaultSection + 1;
constexpr std::size_t kMaxEntries = 16;
constexpr std::size_t kMaxPlans = 8;
constexpr std::size_t kMaxOldSize = 1 << 16;
constexpr std::size_t kMaxNameSize = 200;
constexpr char kInnerName[] = "inner.csv";
constexpr char kInnerBytes[] = "inner\n";
constexpr char kDevFull[] = "/dev/full";
constexpr char kMemoryFolder[] = "/dev/shm";

enum class Kind { kFile, kReadOnly, kLocked, kFolder, kPipe, kFull };

struct Entry {
    Kind kind;
    std::string bytes;  // of a file
};

struct OutputLayout {
    bool missing = false;
    std::string name = "F";
    std::vector<int> plans;                // indexes into the model; none: all
    std::map<std::string, Entry> entries;  // by file name, "NAME.csv"
};

// What the run did through the file system, in the library's paths.
struct FileEvents {
    bool openFailed = false;
    std::set<std::string> failedWrites;
    std::set<std::string> removed;
};

// Reports a failed write or close of a file to its events.
class WatchedWriter : public TextWriter {
 public:
    WatchedWriter(std::unique_ptr<TextWriter> file, std::string path, FileEvents* events)
        : file_(std::move(file)), path_(std::move(path)), events_(events) {}
    Status Write(std::string_view text) override { return Watch(file_->Write(text)); }
    Status Close() override { return Watch(file_->Close()); }

 private:
    Status Watch(Status result) {
        if (!result.ok()) events_->failedWrites.insert(path_);
        return result;
    }

    std::unique_ptr<TextWriter> file_;
    std::string path_;
    FileEvents* events_;
};

// The platform's file system with the root of the drive at root: every
// root-relative path is taken below it. It records what the run did.
class RootedFileSystem : public FileSystemWrapper {
 public:
    RootedFileSystem() : FileSystemWrapper(FileSystem::Default()) {}
    void SetRoot(std::string root) { root_ = std::move(root); }
    const std::string& Root() const { return root_; }
    FileEvents& Events() { return events_; }

    // The absolute path that a root-relative path stands for.
    std::string Rooted(std::string_view path) const {
        FuzzCheck(!path.empty() && path.front() == '\\', "every path of the run is under the root");
        std::string rooted = root_ + std::string(path);
        std::replace(rooted.begin() + static_cast<std::ptrdiff_t>(root_.size()), rooted.end(), '\\', '/');
        return rooted;
    }

    std::string NativePath(std::string_view path) override { return Target()->NativePath(Rooted(path)); }
    bool Exists(std::string_view path) override { return Target()->Exists(Rooted(path)); }
    Status OpenForRead(std::string_view path, std::unique_ptr<LineReader>* reader) override {
        return Target()->OpenForRead(Rooted(path), reader);
    }
    Status ProbeWrite(std::string_view path) override { return Target()->ProbeWrite(Rooted(path)); }

    Status OpenForWrite(std::string_view path, std::unique_ptr<TextWriter>* writer) override {
        std::unique_ptr<TextWriter> file;
        Status status = Target()->OpenForWrite(Rooted(path), &file);
        if (!status.ok()) {
            events_.openFailed = true;
            return status;
        }
        *writer = std::make_unique<WatchedWriter>(std::move(file), std::string(path), &events_);
        return status;
    }
    Status Remove(std::string_view path) override {
        events_.removed.insert(std::string(path));
        return Target()->Remove(Rooted(path));
    }

 private:
    std::string root_;
    FileEvents events_;
};

RootedFileSystem g_disk;
std::string g_base;  // the target's temporary folder; each input's root is in it
bool g_haveDevFull = false;

void RemoveBase() {
    std::error_code ec;
    stdfs::remove_all(g_base, ec);
}

bool ReadBytes(const stdfs::path& path, std::string* bytes) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    bytes->assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

bool HasBytes(const stdfs::path& path, std::string_view bytes) {
    std::string read;
    return ReadBytes(path, &read) && read == bytes;
}

void WriteBytes(const stdfs::path& path, std::string_view bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    FuzzCheck(!file.fail(), "the input's files are laid out");
}

bool PlainName(std::string_view name) {
    return name.size() <= kMaxNameSize &&
           name.find_first_of(std::string_view("/\\\0", 3)) == name.npos;
}

std::string OldBytes(std::size_t size) {
    std::string bytes;
    while (bytes.size() < size) bytes += "old,row," + std::to_string(bytes.size()) + '\n';
    bytes.resize(size);
    return bytes;
}

// "NAME SIZE" into *name and *size; false when it is not that.
bool NameAndSize(std::string_view rest, std::string_view* name, std::size_t* size) {
    const std::size_t blank = rest.rfind(' ');
    if (blank == rest.npos) return false;
    const char* last = rest.data() + rest.size();
    const auto [end, ec] = std::from_chars(rest.data() + blank + 1, last, *size);
    *name = rest.substr(0, blank);
    return ec == std::errc() && end == last && *size <= kMaxOldSize;
}

OutputLayout ParseLayout(std::string_view text, int planCount) {
    OutputLayout layout;
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        const std::string_view line = text.substr(0, eol);
        text.remove_prefix(eol == text.npos ? text.size() : eol + 1);
        const std::size_t blank = line.find(' ');
        const std::string_view word = line.substr(0, blank);
        const std::string_view rest = blank == line.npos ? "" : line.substr(blank + 1);
        std::string_view name = rest;
        std::size_t size = 0;
        Entry entry{Kind::kFile, {}};
        if (word == "missing") {
            layout.missing = true;
            continue;
        } else if (word == "name") {
            if (PlainName(rest)) layout.name.assign(rest);
            continue;
        } else if (word == "plans") {
            const char* last = rest.data() + rest.size();
            for (const char* p = rest.data(); p < last && layout.plans.size() < kMaxPlans;) {
                int i = -1;
                const auto [end, ec] = std::from_chars(p, last, i);
                if (ec == std::errc() && i >= 0 && i < planCount) layout.plans.push_back(i);
                p = end == p ? p + 1 : end;
            }
            continue;
        } else if (word == "file" || word == "readonly" || word == "locked") {
            if (!NameAndSize(rest, &name, &size)) continue;
            entry.kind = word == "file"       ? Kind::kFile
                         : word == "readonly" ? Kind::kReadOnly
                                              : Kind::kLocked;
            entry.bytes = OldBytes(size);
        } else if (word == "folder") {
            entry.kind = Kind::kFolder;
        } else if (word == "pipe") {
            entry.kind = Kind::kPipe;
        } else if (word == "full" && g_haveDevFull) {
            entry.kind = Kind::kFull;
        } else {
            continue;
        }
        if (name.empty() || !PlainName(name) || layout.entries.size() >= kMaxEntries) continue;
        layout.entries.emplace(std::string(name) + ".csv", std::move(entry));
    }
    if (layout.missing) layout.entries.clear();
    return layout;
}

// The descriptors of the locked files, closed when it goes.
class Locks {
 public:
    Locks() = default;
    Locks(const Locks&) = delete;
    Locks& operator=(const Locks&) = delete;
    ~Locks() {
        for (const int fd : fds_) ::close(fd);
    }
    void Lock(const stdfs::path& path) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        FuzzCheck(fd >= 0, "the input's files are laid out");
        fds_.push_back(fd);
        FuzzCheck(::flock(fd, LOCK_EX | LOCK_NB) == 0, "the input's file is locked");
    }

 private:
    std::vector<int> fds_;
};

void LayOutEntry(const stdfs::path& path, const Entry& entry, Locks* locks) {
    std::error_code ec;
    switch (entry.kind) {
        case Kind::kFile:
            WriteBytes(path, entry.bytes);
            break;
        case Kind::kReadOnly:
            WriteBytes(path, entry.bytes);
            stdfs::permissions(path, stdfs::perms::owner_read | stdfs::perms::group_read, ec);
            break;
        case Kind::kLocked:
            WriteBytes(path, entry.bytes);
            locks->Lock(path);
            break;
        case Kind::kFolder:
            stdfs::create_directory(path, ec);
            WriteBytes(path / kInnerName, kInnerBytes);
            break;
        case Kind::kPipe:
            FuzzCheck(::mkfifo(path.c_str(), 0666) == 0, "the input's pipe is laid out");
            break;
        case Kind::kFull:
            stdfs::create_symlink(kDevFull, path, ec);
            break;
    }
    FuzzCheck(!ec, "the input's output folder is laid out");
}

bool AsLaidOut(const stdfs::path& path, const Entry& entry) {
    std::error_code ec;
    const stdfs::file_status st = stdfs::symlink_status(path, ec);
    switch (entry.kind) {
        case Kind::kFile:
        case Kind::kReadOnly:
        case Kind::kLocked:
            return stdfs::is_regular_file(st) && HasBytes(path, entry.bytes);
        case Kind::kFolder: {
            const auto inside = stdfs::directory_iterator(path, ec);
            return stdfs::is_directory(st) && !ec &&
                   std::distance(stdfs::begin(inside), stdfs::end(inside)) == 1 &&
                   HasBytes(path / kInnerName, kInnerBytes);
        }
        case Kind::kPipe:
            return stdfs::is_fifo(st);
        case Kind::kFull:
            return stdfs::is_symlink(st) && stdfs::read_symlink(path, ec) == kDevFull;
    }
    return false;
}

// The files an input lays out beside the output folder, by native path,
// and the folders that hold them.
struct RootLayout {
    std::map<std::string, std::string_view> files;
    std::set<std::string> folders;
};

RootLayout LayOutRoot(const std::vector<std::string_view>& sections) {
    RootLayout root;
    std::error_code ec;
    for (std::size_t i = 0; i < kExportFileCount; ++i) {
        const stdfs::path path = g_disk.NativePath(ExportFilePath(i));
        stdfs::create_directories(path.parent_path(), ec);
        FuzzCheck(!ec, "the input's folders are laid out");
        for (stdfs::path p = path.parent_path(); p != g_disk.Root(); p = p.parent_path()) {
            root.folders.insert(p.string());
        }
        if (i >= sections.size()) continue;
        WriteBytes(path, sections[i]);
        root.files.emplace(path.string(), sections[i]);
    }
    return root;
}

// Everything under the root but the output folder is as laid out.
void CheckRoot(const RootLayout& root, const stdfs::path& out) {
    std::error_code ec;
    std::size_t files = 0;
    for (auto it = stdfs::recursive_directory_iterator(g_disk.Root(), ec);
         it != stdfs::recursive_directory_iterator(); it.increment(ec)) {
        FuzzCheck(!ec, "the root can be walked");
        const stdfs::path& path = it->path();
        if (path == out) {
            it.disable_recursion_pending();
            continue;
        }
        const stdfs::file_status st = it->symlink_status(ec);
        if (stdfs::is_directory(st)) {
            FuzzCheck(root.folders.count(path.string()) == 1,
                      "no folder is made outside the output folder");
            continue;
        }
        const auto file = root.files.find(path.string());
        FuzzCheck(
            file != root.files.end() && stdfs::is_regular_file(st) && HasBytes(path, file->second),
            "nothing is written outside the output folder");
        ++files;
    }
    FuzzCheck(!ec && files == root.files.size(), "no input file is removed");
}

// The output folder holds only entries as laid out and whole files of the
// run, all of them when the run ended well; returns the number of files the
// run wrote there.
int CheckOutputFolder(const stdfs::path& out, const OutputLayout& layout,
                      const std::map<std::string, std::string>& reference, const FileEvents& events,
                      int status) {
    std::error_code ec;
    if (layout.missing) {
        FuzzCheck(!stdfs::exists(stdfs::symlink_status(out, ec)), "the run makes no output folder");
        return 0;
    }
    int written = 0;
    std::set<std::string> seen;
    std::set<std::string> whole;
    for (auto it = stdfs::directory_iterator(out, ec); it != stdfs::directory_iterator();
         it.increment(ec)) {
        FuzzCheck(!ec, "the output folder can be walked");
        const std::string name = it->path().filename().string();
        const auto laid = layout.entries.find(name);
        const auto ref = reference.find(name);
        const bool asLaid = laid != layout.entries.end() && AsLaidOut(it->path(), laid->second);
        const bool asRef = ref != reference.end() &&
                           stdfs::is_regular_file(it->symlink_status(ec)) &&
                           HasBytes(it->path(), ref->second);
        FuzzCheck(asLaid || asRef, "every CSV file is a whole file of the run or as it was");
        FuzzCheck(asLaid || laid == layout.entries.end() || laid->second.kind != Kind::kLocked,
                  "a file another writer holds is left untouched");
        written += asRef && !asLaid ? 1 : 0;
        seen.insert(name);
        if (asRef) whole.insert(name);
    }
    FuzzCheck(!ec, "the output folder can be walked");
    for (const auto& [name, entry] : layout.entries) {
        const std::string path = kOutPrefix + name;
        FuzzCheck(seen.count(name) == 1 ||
                      (events.removed.count(path) == 1 && events.failedWrites.count(path) == 1),
                  "an entry is gone only where the run removed a file it failed to write");
    }
    for (const auto& [name, bytes] : reference) {
        FuzzCheck(status != 0 || whole.count(name) == 1, "a run that ends well writes every file");
    }
    return written;
}

// The files the run writes with every file in memory, by file name.
std::map<std::string, std::string> ReferenceRun(const std::vector<std::string_view>& sections,
                                                const std::vector<ModelId>& plans, int count,
                                                const std::string& name, int* status) {
    MemoryFiles files;
    PrepareInMemory(sections, &files);
    ScopedFileSystem scope(&files);
    RunRequest request;
    request.plans = plans.data();
    request.count = count;
    request.out = kOutFolder;
    request.name = name;
    *status = RunExportAsHost(request);
    FuzzCheck(QvsimHeldBlocks() == 0, "every host block is given back");
    FuzzCheck(ZrlCurrentGet() == nullptr, "every trace frame is closed");
    std::map<std::string, std::string> written;
    const std::string_view prefix = kOutPrefix;
    for (const auto& [path, bytes] : files.Files()) {
        if (path.compare(0, prefix.size(), prefix) != 0) continue;
        written.emplace(path.substr(prefix.size()), bytes);
    }
    return written;
}

// The folder where the target makes its temporary folder: TMPDIR when set,
// else /dev/shm where it is a folder, else the temporary folder. A file
// system in memory keeps the target fast: on a disk, the journal makes each
// removal of a file cost milliseconds.
stdfs::path TemporaryFolder(std::error_code& ec) {
    const char* tmpdir = std::getenv("TMPDIR");
    if ((tmpdir == nullptr || *tmpdir == '\0') && stdfs::is_directory(kMemoryFolder, ec)) {
        return kMemoryFolder;
    }
    return stdfs::temp_directory_path(ec);
}

}  // namespace

// The model and the trace switches stay for the whole run of the target,
// and so does its temporary folder, removed at exit.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    LoadExportModel();
    std::error_code ec;
    std::string base = (TemporaryFolder(ec) / "qvkdc-fuzz-XXXXXX").string();
    FuzzCheck(!ec && ::mkdtemp(base.data()) != nullptr, "a temporary folder is made");
    g_base = base;
    std::atexit(&RemoveBase);
    g_disk.SetRoot(g_base + "/root");
    g_haveDevFull = stdfs::is_character_file(kDevFull, ec);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string_view> sections =
        ExportSections(std::string_view(reinterpret_cast<const char*>(data), size));
    std::vector<ModelId> plans = ExportPlans();
    const OutputLayout layout =
        ParseLayout(sections.size() > kLayoutSection ? sections[kLayoutSection] : "",
                    static_cast<int>(plans.size()));
    if (!layout.plans.empty()) {
        const std::vector<ModelId> model = plans;
        plans.clear();
        for (const int i : layout.plans) plans.push_back(model[static_cast<std::size_t>(i)]);
    }
    const int count = static_cast<int>(plans.size());

    std::error_code ec;
    stdfs::remove_all(g_disk.Root(), ec);
    const RootLayout root = LayOutRoot(sections);
    const stdfs::path out = g_disk.NativePath(kOutFolder);
    if (!layout.missing) {
        stdfs::create_directory(out, ec);
        FuzzCheck(!ec, "the output folder is made");
    }
    int status = 0;
    {
        Locks locks;
        for (const auto& [name, entry] : layout.entries) LayOutEntry(out / name, entry, &locks);
        g_disk.Events() = FileEvents();
        QvsimTraceClear();
        ArmExportFaults(sections.size() > kExportFaultSection ? sections[kExportFaultSection] : "");
        ScopedFileSystem scope(&g_disk);
        RunRequest request;
        request.plans = plans.data();
        request.count = count;
        request.out = kOutFolder;
        request.name = layout.name;
        status = RunExportAsHost(request);
    }
    FuzzCheck(QvsimHeldBlocks() == 0, "every host block is given back");
    FuzzCheck(QvsimBadFrees() == 0, "nothing is freed twice or foreign");
    FuzzCheck(ZrlCurrentGet() == nullptr, "every trace frame is closed");
    FuzzCheck(RunFailedMessages() == (status < 0 ? 1 : 0),
              "one message 9999 exactly when the run fails");
    const FileEvents events = g_disk.Events();
    for (const std::string& path : events.removed) {
        FuzzCheck(events.failedWrites.count(path) == 1,
                  "only a file that failed to be written is removed");
    }

    int refStatus = 0;
    const std::map<std::string, std::string> reference =
        ReferenceRun(sections, plans, count, layout.name, &refStatus);
    const bool fileFailed = events.openFailed || !events.failedWrites.empty();
    FuzzCheck(status == refStatus || (status < 0 && fileFailed),
              "the run ends as in memory unless a file could not be written");
    CheckRoot(root, out);
    const int written = CheckOutputFolder(out, layout, reference, events, status);

    ArmExportFaults("");
    int exists = -1;
    {
        ScopedFileSystem scope(&g_disk);
        exists = CheckExisting(plans.data(), count, kOutFolder, layout.name).status;
    }
    FuzzCheck(written == 0 || exists == 1, "the existence check finds a file the run wrote");
    FuzzCheck(ZrlCurrentGet() == nullptr, "every trace frame is closed");
    stdfs::remove_all(g_disk.Root(), ec);
    return 0;
}
