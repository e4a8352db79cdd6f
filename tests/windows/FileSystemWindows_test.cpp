// The Windows file system: text-mode line ends, files locked while written,
// the existence test.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystemWindows.h"
#include "support/TempDir.h"

namespace {

class FileSystemWindowsTest : public ::testing::Test {
 protected:
    // Writes the calls' texts to the file name, then closes it.
    void WriteFile(const std::string& name, const std::vector<std::string>& writes) {
        std::unique_ptr<TextWriter> writer;
        ASSERT_EQ(fs_.OpenForWrite(dir_.PathOf(name), &writer), 0);
        for (const std::string& w : writes) ASSERT_EQ(writer->Write(w), 0);
        ASSERT_EQ(writer->Close(), 0);
    }

    std::vector<std::string> ReadLines(const std::string& bytes) {
        const std::string path = dir_.WriteFile("in.ini", bytes);
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
    FileSystemWindows fs_;
};

TEST_F(FileSystemWindowsTest, IsThePlatformDefault) {
    EXPECT_NE(dynamic_cast<FileSystemWindows*>(FileSystem::Default()), nullptr);
}

TEST_F(FileSystemWindowsTest, WriterEndsEachLineInCrLf) {
    const struct {
        std::vector<std::string> writes;
        std::string bytes;
    } cases[] = {
        {{}, ""},
        {{"Title1,Title2\n", "1,abc\n", "2,\"x,y\"\n"}, "Title1,Title2\r\n1,abc\r\n2,\"x,y\"\r\n"},
        {{"\n", "\n", "\n"}, "\r\n\r\n\r\n"},      // empty title line and rows
        {{"a\nb\n\nc\n"}, "a\r\nb\r\n\r\nc\r\n"},  // several lines in one write
        {{"par", "tial", "\n"}, "partial\r\n"},    // one line in pieces
        {{std::string(100000, 'v') + "\n"}, std::string(100000, 'v') + "\r\n"},
    };
    for (const auto& c : cases) {
        WriteFile("out.csv", c.writes);
        const std::string bytes = dir_.ReadFile("out.csv");
        EXPECT_EQ(bytes, c.bytes);
        EXPECT_EQ(bytes.find("\r\r\n"), std::string::npos);
    }
}

TEST_F(FileSystemWindowsTest, WriterTruncatesAnExistingFile) {
    dir_.WriteFile("out.csv", "an older and longer content\r\n");
    WriteFile("out.csv", {"new\n"});
    EXPECT_EQ(dir_.ReadFile("out.csv"), "new\r\n");
}

TEST_F(FileSystemWindowsTest, FileBeingWrittenCannotBeOpenedAgain) {
    const std::string path = dir_.PathOf("out.csv");
    std::unique_ptr<TextWriter> writer;
    ASSERT_EQ(fs_.OpenForWrite(path, &writer), 0);
    ASSERT_EQ(writer->Write("title\n"), 0);

    std::unique_ptr<TextWriter> second;
    EXPECT_EQ(fs_.OpenForWrite(path, &second), -1);
    std::unique_ptr<LineReader> reader;
    EXPECT_EQ(fs_.OpenForRead(path, &reader), -1);
    EXPECT_EQ(fs_.Remove(path), -1);
    HANDLE other = CreateFileA(path.c_str(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_EQ(other, INVALID_HANDLE_VALUE);
    if (other != INVALID_HANDLE_VALUE) CloseHandle(other);

    ASSERT_EQ(writer->Write("row\n"), 0);
    ASSERT_EQ(writer->Close(), 0);
    EXPECT_EQ(dir_.ReadFile("out.csv"), "title\r\nrow\r\n");  // the refused opens left it alone
    EXPECT_EQ(fs_.OpenForRead(path, &reader), 0);
}

TEST_F(FileSystemWindowsTest, WriterNotClosedClosesTheFileWhenDestroyed) {
    {
        std::unique_ptr<TextWriter> writer;
        ASSERT_EQ(fs_.OpenForWrite(dir_.PathOf("out.csv"), &writer), 0);
        ASSERT_EQ(writer->Write("x\n"), 0);
    }
    EXPECT_EQ(dir_.ReadFile("out.csv"), "x\r\n");
    std::unique_ptr<TextWriter> again;
    EXPECT_EQ(fs_.OpenForWrite(dir_.PathOf("out.csv"), &again), 0);
}

TEST_F(FileSystemWindowsTest, ClosedWriterRefusesMore) {
    std::unique_ptr<TextWriter> writer;
    ASSERT_EQ(fs_.OpenForWrite(dir_.PathOf("out.csv"), &writer), 0);
    ASSERT_EQ(writer->Close(), 0);
    EXPECT_EQ(writer->Write("late\n"), -1);
    EXPECT_EQ(writer->Close(), -1);
    EXPECT_EQ(dir_.ReadFile("out.csv"), "");
}

TEST_F(FileSystemWindowsTest, OpenFailsForAMissingFolderAFolderOrANul) {
    CreateDirectoryA(dir_.PathOf("sub").c_str(), nullptr);
    std::unique_ptr<TextWriter> writer;
    std::unique_ptr<LineReader> reader;
    EXPECT_EQ(fs_.OpenForWrite(dir_.PathOf("missing\\out.csv"), &writer), -1);
    EXPECT_EQ(fs_.OpenForWrite(dir_.PathOf("sub"), &writer), -1);
    EXPECT_EQ(fs_.OpenForWrite(dir_.PathOf(std::string("a\0b", 3)), &writer), -1);
    EXPECT_EQ(writer, nullptr);
    EXPECT_EQ(fs_.OpenForRead(dir_.PathOf("none.ini"), &reader), -1);
    EXPECT_EQ(fs_.OpenForRead(dir_.PathOf("sub"), &reader), -1);
    EXPECT_EQ(reader, nullptr);
    EXPECT_EQ(dir_.ReadFile("a"), "<missing>");
}

TEST_F(FileSystemWindowsTest, ReaderReturnsLinesWithoutTheirEnds) {
    const struct {
        std::string bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"h1\r\nx\r\n\r\nlast", {"h1", "x", "", "last"}},
        {"a\nb\n", {"a", "b"}},
        {"odd\r\r\nend\r\n", {"odd", "end"}},
        {std::string(1500, 'L') + "\r\nshort\r\n", {std::string(1500, 'L'), "short"}},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadLines(c.bytes), c.lines) << c.bytes.substr(0, 40);
}

TEST_F(FileSystemWindowsTest, ExistsFindsExactlyTheNamedFileOrFolder) {
    dir_.WriteFile("OUT000.csv", "x");
    ASSERT_TRUE(CreateDirectoryA(dir_.PathOf("OUT001.csv").c_str(), nullptr));
    const struct {
        std::string name;
        bool exists;
    } cases[] = {
        {"OUT000.csv", true},
        {"OUT001.csv", true},  // a folder of that name counts
        {"OUT002.csv", false},
        {"OUT00?.csv", false},  // wildcards name no file
        {"OUT*.csv", false},
        {"*", false},
        {"OUT000.cs", false},
        {"OUT000.csv.csv", false},
        {std::string("OUT000.csv\0x", 12), false},
    };
    for (const auto& c : cases) EXPECT_EQ(fs_.Exists(dir_.PathOf(c.name)), c.exists) << c.name;
    EXPECT_TRUE(fs_.Exists(dir_.Path()));
    EXPECT_FALSE(fs_.Exists(""));
}

TEST_F(FileSystemWindowsTest, RemoveDeletesAFile) {
    const std::string path = dir_.WriteFile("gone.csv", "x");
    EXPECT_EQ(fs_.Remove(path), 0);
    EXPECT_FALSE(fs_.Exists(path));
    EXPECT_EQ(fs_.Remove(path), -1);
}

TEST_F(FileSystemWindowsTest, NativePathKeepsTheComposedPath) {
    for (const char* path : {"\\MIRVANE\\CAM\\KR\\Tables\\PlanCSVTable.tsv", "C:\\out\\\\OUT.csv",
                             "  C:\\out\\OUT.csv", "out/OUT.csv"}) {
        EXPECT_EQ(fs_.NativePath(path), path);
    }
}

}  // namespace
