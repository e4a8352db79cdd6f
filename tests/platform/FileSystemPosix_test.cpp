#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/FileSystemPosix.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

// Changes the working directory for the length of the scope.
class ScopedCwd {
 public:
    explicit ScopedCwd(const std::string& dir) : previous_(fs::current_path()) { fs::current_path(dir); }
    ~ScopedCwd() { fs::current_path(previous_); }

 private:
    fs::path previous_;
};

class FileSystemPosixTest : public ::testing::Test {
 protected:
    std::vector<std::string> ReadLines(const std::string& bytes) {
        const std::string path = dir_.WriteFile("in.txt", bytes);
        std::unique_ptr<LineReader> reader;
        EXPECT_EQ(fs_.OpenForRead(path, &reader), 0);
        std::vector<std::string> lines;
        if (!reader) return lines;
        std::string line = "junk";
        int rc;
        while ((rc = reader->ReadLine(&line)) == 1) lines.push_back(line);
        EXPECT_EQ(rc, 0);
        EXPECT_EQ(reader->ReadLine(&line), 0);
        return lines;
    }

    TempDir dir_;
    FileSystemPosix fs_;
};

TEST_F(FileSystemPosixTest, NativePath) {
    const std::string cwd = fs::current_path().string();
    const struct {
        const char* path;
        std::string native;
    } cases[] = {
        {"\\MIRVANE\\CAM\\KR\\Tables\\ExteriorTable.tsv", cwd + "/MIRVANE/CAM/KR/Tables/ExteriorTable.tsv"},
        {"\\", cwd + "/"},
        {"/tmp/out\\OUT.csv", "/tmp/out/OUT.csv"},
        {"work\\out\\\\OUT.csv", "work/out//OUT.csv"},
        {"C:\\work\\OUT.csv", "C:/work/OUT.csv"},
        {"plain.csv", "plain.csv"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(fs_.NativePath(c.path), c.native) << c.path;
}

TEST_F(FileSystemPosixTest, RootRelativePathKeepsWorkingDirectoryAsItIs) {
    // A backslash in the working directory's own name is not a separator.
    const std::string odd = dir_.PathOf("a\\b");
    fs::create_directory(odd);
    fs::create_directories(odd + "/MIRVANE/user");
    dir_.WriteFile("a\\b/MIRVANE/user/x.ini", "t\n");
    {
        ScopedCwd cwd(odd);
        EXPECT_EQ(fs_.NativePath("\\MIRVANE\\user\\x.ini"), fs::current_path().string() + "/MIRVANE/user/x.ini");
        EXPECT_TRUE(fs_.Exists("\\MIRVANE\\user\\x.ini"));
        EXPECT_TRUE(fs_.Exists("\\MIRVANE\\user"));
        EXPECT_FALSE(fs_.Exists("\\MIRVANE\\user\\y.ini"));
    }
    ScopedCwd root("/");
    EXPECT_EQ(fs_.NativePath("\\MIRVANE\\x"), "/MIRVANE/x");
}

TEST_F(FileSystemPosixTest, ExistsForExactlyThePath) {
    const std::string file = dir_.WriteFile("f.csv", "x");
    EXPECT_TRUE(fs_.Exists(file));
    EXPECT_TRUE(fs_.Exists(dir_.Path()));
    EXPECT_FALSE(fs_.Exists(dir_.PathOf("F.csv")));
    EXPECT_FALSE(fs_.Exists(file + "/"));
    EXPECT_FALSE(fs_.Exists(dir_.PathOf("missing")));
    EXPECT_FALSE(fs_.Exists(std::string(file) + std::string(1, '\0') + "x"));
}

TEST_F(FileSystemPosixTest, ReadsLinesWithoutTheirEnds) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(ReadLines("a\nb\n"), (Lines{"a", "b"}));
    EXPECT_EQ(ReadLines("a\r\nb"), (Lines{"a", "b"}));
    EXPECT_EQ(ReadLines("\n\r\n\nx\n"), (Lines{"", "", "", "x"}));
    EXPECT_EQ(ReadLines("a\rb\r\r\n"), (Lines{"a\rb\r"}));
    EXPECT_EQ(ReadLines("end\r"), (Lines{"end\r"}));
    EXPECT_EQ(ReadLines(""), Lines{});
    // Lines longer than any buffer, with CR and LF split across a boundary.
    const std::string a(65535, 'a');
    const std::string b(200000, 'b');
    EXPECT_EQ(ReadLines(a + "\r\n" + b + "\r\nc"), (Lines{a, b, "c"}));
}

TEST_F(FileSystemPosixTest, OpenForReadRefusesMissingFileAndFolder) {
    std::unique_ptr<LineReader> reader;
    EXPECT_EQ(fs_.OpenForRead(dir_.PathOf("missing"), &reader), -1);
    EXPECT_EQ(fs_.OpenForRead(dir_.Path(), &reader), -1);
    EXPECT_EQ(reader, nullptr);
}

TEST_F(FileSystemPosixTest, WriteTruncatesAndKeepsEverything) {
    const std::string path = dir_.WriteFile("out.csv", std::string(1000, 'z'));
    std::unique_ptr<TextWriter> writer;
    ASSERT_EQ(fs_.OpenForWrite(path, &writer), 0);
    std::string expected;
    for (int i = 0; i < 2000; ++i) {
        const std::string line = "row " + std::to_string(i) + ",x\n";
        ASSERT_EQ(writer->Write(line), 0);
        expected += line;
    }
    const std::string big(100000, 'q');
    ASSERT_EQ(writer->Write(big), 0);
    expected += big;
    EXPECT_EQ(writer->Close(), 0);
    EXPECT_EQ(dir_.ReadFile("out.csv"), expected);
}

TEST_F(FileSystemPosixTest, SecondWriterIsRefusedAndClobbersNothing) {
    const std::string path = dir_.PathOf("out.csv");
    std::unique_ptr<TextWriter> first;
    ASSERT_EQ(fs_.OpenForWrite(path, &first), 0);
    const std::string data(100000, 'd');  // more than is held back in memory
    ASSERT_EQ(first->Write(data), 0);
    std::unique_ptr<TextWriter> second;
    EXPECT_EQ(fs_.OpenForWrite(path, &second), -1);
    EXPECT_EQ(second, nullptr);
    ASSERT_EQ(first->Write("end\n"), 0);
    ASSERT_EQ(first->Close(), 0);
    EXPECT_EQ(dir_.ReadFile("out.csv"), data + "end\n");
    first.reset();
    ASSERT_EQ(fs_.OpenForWrite(path, &second), 0);
    EXPECT_EQ(second->Close(), 0);
    EXPECT_EQ(dir_.ReadFile("out.csv"), "");
}

TEST_F(FileSystemPosixTest, WriterDestructorClosesAndReleases) {
    const std::string path = dir_.PathOf("out.csv");
    std::unique_ptr<TextWriter> writer;
    ASSERT_EQ(fs_.OpenForWrite(path, &writer), 0);
    ASSERT_EQ(writer->Write("a\n"), 0);
    writer.reset();
    EXPECT_EQ(dir_.ReadFile("out.csv"), "a\n");
    ASSERT_EQ(fs_.OpenForWrite(path, &writer), 0);
}

TEST_F(FileSystemPosixTest, WriteErrorsAreReported) {
    std::unique_ptr<TextWriter> writer;
    EXPECT_EQ(fs_.OpenForWrite(dir_.Path(), &writer), -1);
    EXPECT_EQ(fs_.OpenForWrite(dir_.PathOf("no/such/folder.csv"), &writer), -1);
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    ASSERT_EQ(fs_.OpenForWrite("/dev/full", &writer), 0);
    EXPECT_EQ(writer->Write(std::string(100000, 'x')), -1);
    EXPECT_EQ(writer->Write("x"), -1);
    EXPECT_EQ(writer->Close(), -1);
    ASSERT_EQ(fs_.OpenForWrite("/dev/full", &writer), 0);
    EXPECT_EQ(writer->Write("small"), 0);
    EXPECT_EQ(writer->Close(), -1);
}

TEST_F(FileSystemPosixTest, Remove) {
    const std::string path = dir_.WriteFile("gone.csv", "x");
    EXPECT_EQ(fs_.Remove(path), 0);
    EXPECT_FALSE(fs_.Exists(path));
    EXPECT_EQ(fs_.Remove(path), -1);
    EXPECT_EQ(fs_.Remove(dir_.Path()), -1);
}

TEST(FileSystemDefault, IsThePosixFileSystemUnlessReplaced) {
    FileSystem* def = FileSystem::Default();
    ASSERT_NE(dynamic_cast<FileSystemPosix*>(def), nullptr);
    EXPECT_EQ(FileSystem::Current(), def);
    FileSystemPosix other;
    {
        ScopedFileSystem scope(&other);
        EXPECT_EQ(FileSystem::Current(), &other);
    }
    EXPECT_EQ(FileSystem::Current(), def);
}

}  // namespace
