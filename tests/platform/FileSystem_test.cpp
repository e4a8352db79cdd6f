// The contract of the file system, tested on the implementation the build
// has (POSIX or Windows), with the native paths of each platform.
#include "inspect/FileSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "system/SystemFiles.h"
#include "inspect/ReplacingFile.h"
#include "support/FaultFileSystem.h"
#include "support/TableRoot.h"

namespace {

using Lines = std::vector<std::string>;

class FileSystemTest : public ::testing::Test {
 protected:
    Lines Read(const std::string& path) {
        std::unique_ptr<LineReader> reader;
        EXPECT_EQ(fs_->OpenForRead(path, &reader), 0);
        Lines lines;
        std::string line = "junk";
        while (reader && reader->ReadLine(&line) == 1) lines.push_back(line);
        EXPECT_TRUE(reader && reader->ReadLine(&line) == 0);
        return lines;
    }

    TableRoot root_;  // the current folder
    FileSystem* fs_ = FileSystem::Default();
};

// A replacement whose step `failing` fails, as if the system had refused it.
struct FaultyFile : ReplacingFile {
    using ReplacingFile::Step;
    explicit FaultyFile(Step step) : failing(step) {}
    bool FailsOnPurpose(Step step) override { return step == failing; }
    Step failing;
};

TEST_F(FileSystemTest, DefaultIsCurrentUnlessReplaced) {
    EXPECT_EQ(FileSystem::Current(), fs_);
    {
        FaultFileSystem other(FaultFileSystem::kWrite, 0);
        EXPECT_EQ(FileSystem::Current(), &other);
    }
    EXPECT_EQ(FileSystem::Current(), fs_);
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
        ASSERT_EQ(fs_->OpenForWrite(root_.PathOf("out.csv"), &writer), 0);
        std::string all;
        for (const std::string& w : writes) {
            EXPECT_EQ(writer->Write(w), 0);
            all += w;
        }
        EXPECT_EQ(writer->Close(), 0);
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
    ASSERT_EQ(fs_->OpenForWrite(path, &first), 0);
    const std::string data(100000, 'd');  // more than is held back in memory
    ASSERT_EQ(first->Write(data), 0);
    EXPECT_EQ(fs_->OpenForWrite(path, &second), -1);
    EXPECT_EQ(second, nullptr);
#ifdef _WIN32
    std::unique_ptr<LineReader> reader;
    EXPECT_EQ(fs_->OpenForRead(path, &reader), -1);
    EXPECT_EQ(fs_->Remove(path), -1);
#else
    EXPECT_EQ(root_.ReadFile("w/out.csv"), "old\n");
#endif
    ASSERT_EQ(first->Write("end\n"), 0);
    EXPECT_EQ(first->Close(), 0);
    EXPECT_EQ(first->Write("late\n"), -1);
    EXPECT_EQ(first->Close(), -1);
    EXPECT_EQ(root_.ReadFile("w/out.csv"), FileLines(data + "end\n"));
}

TEST_F(FileSystemTest, OpenAndRemoveFailures) {
    root_.WriteFile("sub/f.csv", "x");
    std::unique_ptr<TextWriter> writer;
    std::unique_ptr<LineReader> reader;
    for (const std::string& name : {std::string("missing/out.csv"), std::string("sub"), std::string("a\0b", 3)}) {
        EXPECT_EQ(fs_->OpenForWrite(root_.PathOf(name), &writer), -1) << name;
    }
    EXPECT_EQ(writer, nullptr);
    EXPECT_EQ(root_.ReadFile("a"), "<missing>");
    EXPECT_EQ(fs_->OpenForRead(root_.PathOf("none.ini"), &reader), -1);
    EXPECT_EQ(fs_->OpenForRead(root_.PathOf("sub"), &reader), -1);
    EXPECT_EQ(reader, nullptr);
    EXPECT_EQ(fs_->Remove(root_.PathOf("sub/f.csv")), 0);
    EXPECT_FALSE(fs_->Exists(root_.PathOf("sub/f.csv")));
    EXPECT_EQ(fs_->Remove(root_.PathOf("sub/f.csv")), -1);
    EXPECT_EQ(fs_->Remove(root_.PathOf("sub")), -1);
}

// Each failing step, a replacement gone without a commit and one given up
// leave the target as it was and no temporary file (while open, one, named
// for what it is). A new file that another writer made meanwhile is not
// replaced.
TEST_F(FileSystemTest, FailuresAndAbandonLeaveTheTargetAsItWas) {
    const std::string target = root_.PathOf("out/t.csv");
    for (const std::string earlier : {"earlier\n", "<missing>"}) {
        std::filesystem::remove_all(root_.PathOf("out"));
        std::filesystem::create_directories(root_.PathOf("out"));
        if (earlier != "<missing>") root_.WriteFile("out/t.csv", earlier);
        const std::set<std::string> before = root_.Files("out");
        std::string why;
        for (const auto step : {FaultyFile::Step::kWrite, FaultyFile::Step::kClose, FaultyFile::Step::kMove}) {
            FaultyFile file(step);
            ASSERT_EQ(file.Open(target, &why), 0) << why;
            const std::set<std::string> open = root_.Files("out");
            EXPECT_EQ(std::count_if(open.begin(), open.end(), &ReplacingFile::IsTemporaryName), 1);
            EXPECT_EQ(file.Write("new\n", &why), step == FaultyFile::Step::kWrite ? -1 : 0);
            EXPECT_TRUE(file.Commit(&why) == -1 && !why.empty() && !file.IsOpen());
            EXPECT_EQ(root_.Files("out"), before) << earlier;
        }
        EXPECT_EQ(ReplacingFile().Open(target, &why), 0);  // and gone without a commit
        OutputFile given;
        ASSERT_EQ(given.Open(target), "");
        given.Write("new\n");
        given.Abandon();
        EXPECT_EQ(root_.Files("out"), before);
        EXPECT_EQ(root_.ReadFile("out/t.csv"), earlier);
    }
    ReplacingFile first, second;
    std::string why;
    ASSERT_EQ(first.Open(target, &why) + second.Open(target, &why) + second.Commit(&why), 0) << why;
    EXPECT_EQ(first.Commit(&why), -1);
    EXPECT_EQ(root_.Files("out"), std::set<std::string>{"t.csv"});
}

// The probe answers as the open does and leaves nothing. The last row's
// folder lies near the longest path Windows takes: there the temporary
// file's name may be the one too long.
TEST_F(FileSystemTest, ProbeAnswersAsTheOpenDoesAndLeavesNothing) {
    root_.WriteFile("out/old.csv", "earlier\n");
    root_.WriteFile("out/sub/f", "");
    std::unique_ptr<TextWriter> holder;
    ASSERT_EQ(fs_->OpenForWrite(root_.WriteFile("out/held.csv", ""), &holder), 0);
    const std::string deep = "out/" + std::string(242 - root_.Path().size(), 'd');
    std::filesystem::create_directories(root_.PathOf(deep));
    const struct { std::string path; int writable; } rows[] = {
        {"out/new.csv", 1}, {"out/old.csv", 1}, {"out/sub", 0}, {"none/x.csv", 0},
        {"out/held.csv", 0}, {"out/" + std::string(300, 'n'), 0}, {deep + "/a.csv", -1}};
    for (const auto& row : rows) {
        const std::set<std::string> before = root_.Files("out");
        std::string why;
        const int probe = fs_->ProbeWrite(root_.PathOf(row.path), &why);
        EXPECT_TRUE(row.writable < 0 || (probe == 0) == (row.writable == 1)) << row.path;
        std::unique_ptr<TextWriter> writer;
        EXPECT_EQ(fs_->OpenForWrite(root_.PathOf(row.path), &writer), probe) << row.path;
        writer.reset();
        EXPECT_EQ(root_.Files("out"), before) << row.path;
    }
}

#ifndef _WIN32
// Linux has a device that fails every write: the writer reports it.
TEST_F(FileSystemTest, WriteErrorsAreReported) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    std::unique_ptr<TextWriter> writer;
    ASSERT_EQ(fs_->OpenForWrite("/dev/full", &writer), 0);
    EXPECT_EQ(writer->Write(std::string(100000, 'x')), -1);
    EXPECT_EQ(writer->Write("x"), -1);
    EXPECT_EQ(writer->Close(), -1);
    ASSERT_EQ(fs_->OpenForWrite("/dev/full", &writer), 0);
    EXPECT_EQ(writer->Write("small"), 0);
    EXPECT_EQ(writer->Close(), -1);
}
#endif

}  // namespace
