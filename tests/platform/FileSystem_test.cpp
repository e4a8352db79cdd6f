// The contract of the file system, tested on the implementation the build
// has (POSIX or Windows), with the native paths of each platform.
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

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

// An existing file being replaced is open to no other writer (on Windows
// to nobody) and keeps its bytes until the writer closes; a writer that
// goes without closing replaces nothing, and one closed writes no more. A
// new file that another writer made meanwhile is not replaced.
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
    ASSERT_EQ(fs_->OpenForWrite(path, &second), 0);
    EXPECT_EQ(second->Write("abandoned\n"), 0);
    second.reset();
    EXPECT_EQ(root_.ReadFile("w/out.csv"), FileLines(data + "end\n"));

    const std::string fresh = root_.PathOf("w/new.csv");
    ASSERT_EQ(fs_->OpenForWrite(fresh, &first), 0);
    ASSERT_EQ(fs_->OpenForWrite(fresh, &second), 0);
    EXPECT_EQ(second->Write("second\n"), 0);
    EXPECT_EQ(second->Close(), 0);
    EXPECT_EQ(first->Write("first\n"), 0);
    EXPECT_EQ(first->Close(), -1);
    EXPECT_EQ(root_.ReadFile("w/new.csv"), FileLines("second\n"));
    EXPECT_EQ(root_.Files("w"), (std::set<std::string>{"out.csv", "new.csv"}));
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
