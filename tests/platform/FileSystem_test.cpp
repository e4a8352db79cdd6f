// The contract of the file system, tested on the implementation the build
// has (POSIX or Windows), with the native paths of each platform.
#include "examine/FileSystem.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#endif

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "examine/FileSystemWrapper.h"
#include "examine/ReplacingFile.h"
#include "examine/SystemErrorText.h"
#include "support/FaultFileSystem.h"
#include "support/TableRoot.h"
#include "system/SystemFiles.h"

namespace {

using Lines = std::vector<std::string>;

// The codes each platform's calls give for these failures, and the
// system's text for a code.
#ifdef _WIN32
constexpr int kNoFile = ERROR_FILE_NOT_FOUND, kNoFolder = ERROR_PATH_NOT_FOUND, kFolder = ERROR_ACCESS_DENIED,
              kBadName = ERROR_INVALID_NAME, kHeld = ERROR_SHARING_VIOLATION, kExists = ERROR_ALREADY_EXISTS;
std::string SystemText(int code) { return SystemErrorText(static_cast<unsigned long>(code)); }
#else
constexpr int kNoFile = ENOENT, kNoFolder = ENOENT, kFolder = EISDIR, kBadName = EINVAL, kHeld = EWOULDBLOCK,
              kExists = EEXIST;
std::string SystemText(int code) { return std::strerror(code); }
#endif

class FileSystemTest : public ::testing::Test {
 protected:
    Lines Read(const std::string& path) {
        std::unique_ptr<LineReader> reader;
        EXPECT_TRUE(fs_->OpenForRead(path, &reader).ok());
        Lines lines;
        std::string line = "junk";
        while (reader && reader->ReadLine(&line) == 1) lines.push_back(line);
        EXPECT_TRUE(reader && reader->ReadLine(&line) == 0);
        return lines;
    }

    TableRoot root_;  // the current folder
    FileSystem* fs_ = FileSystem::Default();
};

TEST_F(FileSystemTest, DefaultIsCurrentUnlessReplaced) {
    EXPECT_EQ(FileSystem::Current(), fs_);
    {
        FaultFileSystem other(FaultFileSystem::kWrite, 0);
        EXPECT_EQ(FileSystem::Current(), &other);
    }
    EXPECT_EQ(FileSystem::Current(), fs_);
}

// Every call reaches the target and gives back what it gave.
TEST_F(FileSystemTest, WrapperForwardsEveryCall) {
    FileSystemWrapper wrapper(fs_);
    fs_ = &wrapper;  // Read and the calls below go through it
    FileSystem* const target = wrapper.Target();
    const std::string in = root_.WriteFile("in.ini", "a\n");
    std::unique_ptr<TextWriter> writer;
    EXPECT_TRUE(fs_->OpenForWrite(in, &writer).ok() && writer->Write("b\n").ok() && writer->Close().ok());
    EXPECT_EQ(Read(in), Lines{"b"});
    EXPECT_TRUE(fs_->Exists(in) && fs_->Remove(in).ok() && !fs_->Exists(in) && fs_->ProbeWrite(in).ok());
    EXPECT_TRUE(fs_->Remove(in).IsNotFound() && fs_->ProbeWrite(root_.PathOf("none/x.csv")).IsNotFound());
    EXPECT_EQ(fs_->NativePath("\\a") + std::to_string(fs_->NameStart("a\\b")), target->NativePath("\\a") + "2");
}

// A root-relative path names a file below the root of the current drive,
// which the table root stands for; a file or folder exists at exactly its
// path.
TEST_F(FileSystemTest, NativeAndRootRelativePaths) {
    const struct {
        const char* path;
        const char* native;  // "<cwd>" stands for the current folder
    } cases[] = {
#ifdef _WIN32
        {"\\MIRVANE\\CAM\\KR\\Tables\\PlanCSVTable.tsv", "\\MIRVANE\\CAM\\KR\\Tables\\PlanCSVTable.tsv"},
        {"C:\\out\\\\OUT.csv", "C:\\out\\\\OUT.csv"},
        {"  C:\\out\\OUT.csv", "  C:\\out\\OUT.csv"},
        {"out/OUT.csv", "out/OUT.csv"},
#else
        {"\\MIRVANE\\CAM\\KR\\Tables\\ExteriorTable.tsv", "<cwd>/MIRVANE/CAM/KR/Tables/ExteriorTable.tsv"},
        {"\\", "<cwd>/"},
        {"/tmp/out\\OUT.csv", "/tmp/out/OUT.csv"},
        {"work\\out\\\\OUT.csv", "work/out//OUT.csv"},
        {"C:\\work\\OUT.csv", "C:/work/OUT.csv"},
#endif
        {"", ""},
    };
    const std::string cwd = std::filesystem::current_path().string();
    for (const auto& c : cases) {
        std::string native = c.native;
        if (native.rfind("<cwd>", 0) == 0) native.replace(0, 5, cwd);
        EXPECT_EQ(fs_->NativePath(c.path), native) << c.path;
    }
    root_.WriteFile("MIRVANE/CAM/KR/Tables/PlanCSVTable.tsv", "key\tvalue\r\n");
    EXPECT_TRUE(fs_->Exists("\\MIRVANE\\CAM\\KR\\Tables\\PlanCSVTable.tsv"));
    EXPECT_TRUE(fs_->Exists("\\MIRVANE\\CAM\\KR\\Tables"));
    EXPECT_FALSE(fs_->Exists("\\MIRVANE\\CAM\\KR\\Tables\\ExteriorTable.tsv"));
    EXPECT_EQ(Read("\\MIRVANE\\CAM\\KR\\Tables\\PlanCSVTable.tsv"), Lines{"key\tvalue"});
    // Exactly the path: no wildcards, no NUL byte, nothing longer or shorter.
    const std::string table = "\\MIRVANE\\CAM\\KR\\Tables\\PlanCSVTable.ts";
    for (const std::string& path : {table, table + "v.tsv", table + "?", table + "*", table + "v" + '\0'}) {
        EXPECT_FALSE(fs_->Exists(path)) << path;
    }
    EXPECT_FALSE(fs_->Exists(""));
#ifndef _WIN32
    // A backslash in the name of the current folder is no separator.
    root_.WriteFile("a\\b/MIRVANE/user/x.ini", "t\n");
    std::filesystem::current_path(root_.PathOf("a\\b"));
    EXPECT_TRUE(fs_->Exists("\\MIRVANE\\user\\x.ini"));
    std::filesystem::current_path("/");
    EXPECT_EQ(fs_->NativePath("\\MIRVANE\\x"), "/MIRVANE/x");
#endif
}

TEST_F(FileSystemTest, WriterWritesEveryLineWithThePlatformsLineEnd) {
    const std::vector<std::string> cases[] = {
        {},
        {"Title1,Title2\n", "1,abc\n", "2,\"x,y\"\n"},
        {"\n", "\n", "\n"},
        {"a\nb\n\nc\n"},
        {"par", "tial", "\n"},
        {"x\n", std::string(65535, 'a'), "\n", std::string(100000, 'v') + "\n", "end\n"},
    };
    root_.WriteFile("out.csv", "an older and longer content than any case\n");
    for (const auto& writes : cases) {
        std::unique_ptr<TextWriter> writer;
        ASSERT_TRUE(fs_->OpenForWrite(root_.PathOf("out.csv"), &writer).ok());
        std::string all;
        for (const std::string& w : writes) {
            EXPECT_TRUE(writer->Write(w).ok());
            all += w;
        }
        EXPECT_TRUE(writer->Close().ok());
        EXPECT_EQ(root_.ReadFile("out.csv"), FileLines(all));
    }
}

TEST_F(FileSystemTest, ReaderGivesLinesWithoutTheirEnds) {
    const std::string a(65535, 'a');
    const std::string b(200000, 'b');
    const struct { std::string bytes; Lines lines; } cases[] = {
        {"", {}},
        {"h1\r\nx\r\n\r\nlast", {"h1", "x", "", "last"}},
        {"a\nb\n", {"a", "b"}},
        {a + "\r\n" + b + "\r\nc", {a, b, "c"}},
#ifdef _WIN32
        {"odd\r\r\nend\r\n", {"odd", "end"}},
#else
        {"a\rb\r\r\n", {"a\rb\r"}},
        {"end\r", {"end\r"}},
#endif
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Read(root_.WriteFile("in.ini", c.bytes)), c.lines) << c.bytes.substr(0, 20);
    }
}

// A file being replaced is open to no other writer (on Windows to nobody)
// and keeps its bytes until the writer closes; a closed writer writes no
// more.
TEST_F(FileSystemTest, OneWriterAtATime) {
    const std::string path = root_.WriteFile("w/out.csv", "old\n");
    std::unique_ptr<TextWriter> first;
    std::unique_ptr<TextWriter> second;
    ASSERT_TRUE(fs_->OpenForWrite(path, &first).ok());
    const std::string data(100000, 'd');  // more than is held back in memory
    ASSERT_TRUE(first->Write(data).ok());
    EXPECT_EQ(fs_->OpenForWrite(path, &second).code(), kHeld);
    EXPECT_EQ(second, nullptr);
#ifdef _WIN32
    std::unique_ptr<LineReader> reader;
    EXPECT_EQ(fs_->OpenForRead(path, &reader).code(), kHeld);
    EXPECT_EQ(fs_->Remove(path).code(), kHeld);
#else
    EXPECT_EQ(root_.ReadFile("w/out.csv"), "old\n");
#endif
    ASSERT_TRUE(first->Write("end\n").ok());
    EXPECT_TRUE(first->Close().ok());
    EXPECT_FALSE(first->Write("late\n").ok());
    EXPECT_FALSE(first->Close().ok());
    EXPECT_EQ(root_.ReadFile("w/out.csv"), FileLines(data + "end\n"));
}

// Each failure gives the system's code and its text, or the layer's words
// for what is in the way; only a missing file or folder is "not found".
TEST_F(FileSystemTest, FailuresGiveTheSystemsReason) {
    root_.WriteFile("sub/f.csv", "x");
    std::unique_ptr<TextWriter> writer;
    std::unique_ptr<LineReader> reader;
    // text: null for the system's text for code.
    const struct { const char* what; Status status; int code; bool notFound; const char* text; } rows[] = {
        {"write missing/out.csv", fs_->OpenForWrite(root_.PathOf("missing/out.csv"), &writer), kNoFolder, true,
         nullptr},
        {"write sub", fs_->OpenForWrite(root_.PathOf("sub"), &writer), kFolder, false, nullptr},
        {"write a\\0b", fs_->OpenForWrite(root_.PathOf(std::string("a\0b", 3)), &writer), kBadName, false,
         "the path holds a NUL byte"},
        {"write a\\nb", fs_->OpenForWrite(root_.PathOf("a\nb"), &writer), kBadName, false,
         "the path holds the control character 0x0A"},
        {"probe a\\tb", fs_->ProbeWrite(root_.PathOf("a\tb")), kBadName, false,
         "the path holds the control character 0x09"},
        {"probe missing/out.csv", fs_->ProbeWrite(root_.PathOf("missing/out.csv")), kNoFolder, true, nullptr},
        {"read none.ini", fs_->OpenForRead(root_.PathOf("none.ini"), &reader), kNoFile, true, nullptr},
        {"read sub", fs_->OpenForRead(root_.PathOf("sub"), &reader), kFolder, false, "is a folder"},
        {"remove sub/none.csv", fs_->Remove(root_.PathOf("sub/none.csv")), kNoFile, true, nullptr},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.status.code(), row.code) << row.what;
        EXPECT_EQ(row.status.IsNotFound(), row.notFound) << row.what;
        EXPECT_EQ(row.status.ToString(), row.text != nullptr ? row.text : SystemText(row.code)) << row.what;
    }
    EXPECT_EQ(writer, nullptr);
    EXPECT_EQ(reader, nullptr);
    EXPECT_EQ(root_.ReadFile("a"), "<missing>");
    EXPECT_EQ(root_.ReadFile("a\nb"), "<missing>");
    EXPECT_TRUE(fs_->Remove(root_.PathOf("sub/f.csv")).ok());
    EXPECT_FALSE(fs_->Exists(root_.PathOf("sub/f.csv")));
    EXPECT_FALSE(fs_->Remove(root_.PathOf("sub")).ok());
}

// A write the system refuses (past the file size limit, on POSIX), a
// replacement gone without a commit and one given up leave the target as
// it was and no temporary file (while open, one, named for what it is); the
// first failure's reason is what every later step gives.
TEST_F(FileSystemTest, FailuresAndAbandonLeaveTheTargetAsItWas) {
    const std::string target = root_.PathOf("out/t.csv");
    for (const std::string earlier : {"earlier\n", "<missing>"}) {
        std::filesystem::remove_all(root_.PathOf("out"));
        std::filesystem::create_directories(root_.PathOf("out"));
        if (earlier != "<missing>") root_.WriteFile("out/t.csv", earlier);
        const std::set<std::string> before = root_.Files("out");
#ifndef _WIN32
        ReplacingFile file;
        ASSERT_TRUE(file.Open(target).ok());
        const std::set<std::string> open = root_.Files("out");
        EXPECT_EQ(std::count_if(open.begin(), open.end(), &ReplacingFile::IsTemporaryName), 1);
        // No byte may be written: the write fails with EFBIG (SIGXFSZ ignored).
        rlimit none{}, saved{};
        ::getrlimit(RLIMIT_FSIZE, &saved);
        none.rlim_max = saved.rlim_max;
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &none);
        const Status failed = file.Write("new\n");
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, handler);
        EXPECT_TRUE(failed.code() == EFBIG && failed.ToString() == SystemText(EFBIG)) << failed.ToString();
        EXPECT_EQ(file.Write("more\n").ToString() + file.Commit().ToString(), failed.ToString() + failed.ToString());
        EXPECT_FALSE(file.IsOpen());
        EXPECT_EQ(root_.Files("out"), before) << earlier;
#endif
        EXPECT_TRUE(ReplacingFile().Open(target).ok());  // and gone without a commit
        OutputFile given;
        ASSERT_EQ(given.Open(target), "");
        given.Write("new\n");
        given.Abandon();
        EXPECT_EQ(root_.Files("out"), before);
        EXPECT_EQ(root_.ReadFile("out/t.csv"), earlier);
    }
    // A second writer of a new target fails at once; a file that another
    // program makes meanwhile is not replaced.
    ReplacingFile first, second;
    ASSERT_TRUE(first.Open(target).ok());
    EXPECT_EQ(second.Open(target).ToString(), ReplacingFile::kAnotherWriter);
    root_.WriteFile("out/t.csv", "theirs\n");
    const Status moved = first.Commit();
    EXPECT_EQ(moved.code(), kExists);
    EXPECT_EQ(moved.ToString(), ReplacingFile::kMadeMeanwhile);
    EXPECT_EQ(root_.ReadFile("out/t.csv"), "theirs\n");
    EXPECT_EQ(root_.Files("out"), std::set<std::string>{"t.csv"});
}

// A killed writer's temporary file goes when the next writer opens a file in
// its folder; a file written to lately, one a live writer holds, and a name
// that is not a temporary file's stay.
TEST_F(FileSystemTest, LeftoverTemporaryFilesGoWhenNoWriterHoldsThem) {
    const auto age = [&](const std::string& name) {
        std::error_code ec;  // a live writer's file cannot be touched on Windows: then it is fresh
        std::filesystem::last_write_time(root_.PathOf("out/" + name),
                                         std::filesystem::file_time_type::clock::now() - std::chrono::hours(1), ec);
    };
    for (const std::string name : {"~qvkdc-abc123.tmp", "~qvkdc-ABC999.tmp", "qvkdc-abc123.tmp", "~qvkdc-fresh1.tmp"}) {
        root_.WriteFile("out/" + name, "left\n");
        if (name != "~qvkdc-fresh1.tmp") age(name);
    }
    ReplacingFile live;
    ASSERT_TRUE(live.Open(root_.PathOf("out/live.csv")).ok());  // removes the leftover
    std::set<std::string> files = root_.Files("out");
    for (const std::string& name : files) {
        if (name.size() == 17 && name != "~qvkdc-fresh1.tmp" && name != "~qvkdc-ABC999.tmp") age(name);
    }
    EXPECT_EQ(ReplacingFile::RemoveLeftovers(root_.PathOf("out") + "/"), 0);
    files.erase("~qvkdc-fresh1.tmp");
    files.erase("~qvkdc-ABC999.tmp");
    files.erase("qvkdc-abc123.tmp");
    ASSERT_EQ(files.size(), 1u);
    EXPECT_TRUE(ReplacingFile::IsTemporaryName(*files.begin()));
    EXPECT_EQ(root_.Files("out").size(), 4u);
    ASSERT_TRUE(live.Commit().ok());
    root_.WriteFile("out/~qvkdc-zzzzzz.tmp", "");
    age("~qvkdc-zzzzzz.tmp");
    EXPECT_EQ(ReplacingFile::RemoveLeftovers(root_.PathOf("out") + "/"), 1);
    EXPECT_EQ(root_.Files("out"),
              (std::set<std::string>{"live.csv", "~qvkdc-fresh1.tmp", "~qvkdc-ABC999.tmp", "qvkdc-abc123.tmp"}));
}

// The probe answers as the open does and leaves nothing. The last row's
// folder lies near the longest path Windows takes: there the temporary
// file's name may be the one too long.
TEST_F(FileSystemTest, ProbeAnswersAsTheOpenDoesAndLeavesNothing) {
    root_.WriteFile("out/old.csv", "earlier\n");
    root_.WriteFile("out/sub/f", "");
    std::unique_ptr<TextWriter> holder;
    ASSERT_TRUE(fs_->OpenForWrite(root_.WriteFile("out/held.csv", ""), &holder).ok());
    const std::string deep = "out/" + std::string(242 - root_.Path().size(), 'd');
    std::filesystem::create_directories(root_.PathOf(deep));
    const struct { std::string path; int writable; } rows[] = {
        {"out/new.csv", 1}, {"out/old.csv", 1}, {"out/sub", 0}, {"none/x.csv", 0},
        {"out/held.csv", 0}, {"out/" + std::string(300, 'n'), 0}, {deep + "/a.csv", -1}};
    for (const auto& row : rows) {
        const std::set<std::string> before = root_.Files("out");
        const Status probe = fs_->ProbeWrite(root_.PathOf(row.path));
        EXPECT_TRUE(row.writable < 0 || probe.ok() == (row.writable == 1)) << row.path;
        std::unique_ptr<TextWriter> writer;
        const Status open = fs_->OpenForWrite(root_.PathOf(row.path), &writer);
        EXPECT_EQ(open.ToString() + std::to_string(open.code()), probe.ToString() + std::to_string(probe.code()))
            << row.path;
        writer.reset();
        EXPECT_EQ(root_.Files("out"), before) << row.path;
    }
}

#ifndef _WIN32
// Linux has a device that fails every write: the writer gives the system's
// reason at the write that reaches it, or at the close, and every later
// call gives the same.
TEST_F(FileSystemTest, WriteErrorsAreReported) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    std::unique_ptr<TextWriter> writer;
    ASSERT_TRUE(fs_->OpenForWrite("/dev/full", &writer).ok());
    const Status full = writer->Write(std::string(100000, 'x'));
    EXPECT_TRUE(full.code() == ENOSPC && full.ToString() == SystemText(ENOSPC)) << full.ToString();
    EXPECT_EQ(writer->Write("x").ToString() + writer->Close().ToString(), full.ToString() + full.ToString());
    ASSERT_TRUE(fs_->OpenForWrite("/dev/full", &writer).ok());
    EXPECT_TRUE(writer->Write("small").ok());
    EXPECT_EQ(writer->Close().code(), ENOSPC);
}
#endif

}  // namespace
