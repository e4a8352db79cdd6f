// The Windows file system: text-mode line ends, exclusive output files, the
// existence test.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace {

// A folder of its own below the temp folder, removed with everything in it.
class FileSystemWindowsTest : public ::testing::Test {
 protected:
    void SetUp() override {
        char temp[MAX_PATH + 1] = {};
        ASSERT_NE(GetTempPathA(sizeof temp, temp), 0u);
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = std::string(temp) + "qvkdc_fs_" + std::to_string(GetCurrentProcessId()) + "_" +
               info->name();
        ASSERT_TRUE(CreateDirectoryA(dir_.c_str(), nullptr)) << dir_;
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

    std::string Path(const std::string& name) const { return dir_ + "\\" + name; }

    static std::string ReadBytes(const std::string& path) {
        std::string bytes;
        std::FILE* f = std::fopen(path.c_str(), "rb");
        if (f == nullptr) return "<cannot open>";
        char buf[256];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
        std::fclose(f);
        return bytes;
    }
    static void WriteBytes(const std::string& path, const std::string& bytes) {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr) << path;
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }

    FileSystem* fs_ = FileSystem::Default();
    std::string dir_;
};

TEST_F(FileSystemWindowsTest, WriterEndsEachLineInCrLf) {
    struct Case {
        std::vector<std::string> writes;
        std::string bytes;
    };
    const Case cases[] = {
        {{}, ""},
        {{"Title1,Title2\n", "1,abc\n", "2,\"x,y\"\n"}, "Title1,Title2\r\n1,abc\r\n2,\"x,y\"\r\n"},
        {{"\n", "\n", "\n"}, "\r\n\r\n\r\n"},               // empty title line and rows
        {{"a\nb\n\nc\n"}, "a\r\nb\r\n\r\nc\r\n"},           // several lines in one write
        {{"par", "tial", "\n"}, "partial\r\n"},             // one line in pieces
    };
    for (const Case& c : cases) {
        const std::string path = Path("out.csv");
        std::unique_ptr<TextWriter> writer;
        ASSERT_EQ(fs_->OpenForWrite(path, &writer), 0);
        for (const std::string& w : c.writes) ASSERT_EQ(writer->Write(w), 0);
        ASSERT_EQ(writer->Close(), 0);
        const std::string bytes = ReadBytes(path);
        EXPECT_EQ(bytes, c.bytes);
        EXPECT_EQ(bytes.find("\r\r\n"), std::string::npos);
    }
}

TEST_F(FileSystemWindowsTest, WriterTruncatesAnExistingFile) {
    const std::string path = Path("out.csv");
    WriteBytes(path, "an older and longer content\r\n");
    std::unique_ptr<TextWriter> writer;
    ASSERT_EQ(fs_->OpenForWrite(path, &writer), 0);
    ASSERT_EQ(writer->Write("new\n"), 0);
    ASSERT_EQ(writer->Close(), 0);
    EXPECT_EQ(ReadBytes(path), "new\r\n");
}

TEST_F(FileSystemWindowsTest, FileBeingWrittenCannotBeOpenedAgain) {
    const std::string path = Path("out.csv");
    std::unique_ptr<TextWriter> writer;
    ASSERT_EQ(fs_->OpenForWrite(path, &writer), 0);
    ASSERT_EQ(writer->Write("title\n"), 0);

    std::unique_ptr<TextWriter> second;
    EXPECT_EQ(fs_->OpenForWrite(path, &second), -1);
    std::unique_ptr<LineReader> reader;
    EXPECT_EQ(fs_->OpenForRead(path, &reader), -1);
    std::FILE* other = std::fopen(path.c_str(), "rb");
    EXPECT_EQ(other, nullptr);
    if (other != nullptr) std::fclose(other);
    HANDLE shared = CreateFileA(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_EQ(shared, INVALID_HANDLE_VALUE);
    if (shared != INVALID_HANDLE_VALUE) CloseHandle(shared);

    ASSERT_EQ(writer->Close(), 0);
    EXPECT_EQ(fs_->OpenForRead(path, &reader), 0);
}

TEST_F(FileSystemWindowsTest, WriterThatIsNotClosedClosesTheFile) {
    const std::string path = Path("out.csv");
    {
        std::unique_ptr<TextWriter> writer;
        ASSERT_EQ(fs_->OpenForWrite(path, &writer), 0);
        ASSERT_EQ(writer->Write("x\n"), 0);
    }
    EXPECT_EQ(ReadBytes(path), "x\r\n");
    std::unique_ptr<TextWriter> again;
    EXPECT_EQ(fs_->OpenForWrite(path, &again), 0);
}

TEST_F(FileSystemWindowsTest, OpenForWriteFailsInAMissingFolder) {
    std::unique_ptr<TextWriter> writer;
    EXPECT_EQ(fs_->OpenForWrite(Path("missing\\out.csv"), &writer), -1);
    EXPECT_EQ(writer, nullptr);
}

TEST_F(FileSystemWindowsTest, ReaderReturnsLinesWithoutTheirEnds) {
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"h1\r\nx\r\n\r\nlast", {"h1", "x", "", "last"}},
        {"a\nb\n", {"a", "b"}},
        {"odd\r\r\nend\r\n", {"odd", "end"}},
        {std::string(1500, 'L') + "\r\nshort\r\n", {std::string(1500, 'L'), "short"}},
    };
    for (const Case& c : cases) {
        const std::string path = Path("in.ini");
        WriteBytes(path, c.bytes);
        std::unique_ptr<LineReader> reader;
        ASSERT_EQ(fs_->OpenForRead(path, &reader), 0);
        std::vector<std::string> lines;
        std::string line;
        int r;
        while ((r = reader->ReadLine(&line)) == 1) lines.push_back(line);
        EXPECT_EQ(r, 0);
        EXPECT_EQ(lines, c.lines) << c.bytes.substr(0, 40);
        EXPECT_EQ(reader->ReadLine(&line), 0);
    }
}

TEST_F(FileSystemWindowsTest, OpenForReadFailsOnAMissingFile) {
    std::unique_ptr<LineReader> reader;
    EXPECT_EQ(fs_->OpenForRead(Path("none.ini"), &reader), -1);
}

TEST_F(FileSystemWindowsTest, ExistsFindsExactlyTheNamedFileOrFolder) {
    WriteBytes(Path("OUT000.csv"), "x");
    ASSERT_TRUE(CreateDirectoryA(Path("OUT001.csv").c_str(), nullptr));
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
    };
    for (const auto& c : cases) EXPECT_EQ(fs_->Exists(Path(c.name)), c.exists) << c.name;
    EXPECT_TRUE(fs_->Exists(dir_));
    EXPECT_FALSE(fs_->Exists(""));
}

TEST_F(FileSystemWindowsTest, RemoveDeletesAFile) {
    const std::string path = Path("gone.csv");
    WriteBytes(path, "x");
    EXPECT_EQ(fs_->Remove(path), 0);
    EXPECT_FALSE(fs_->Exists(path));
    EXPECT_EQ(fs_->Remove(path), -1);
}

TEST_F(FileSystemWindowsTest, NativePathKeepsTheComposedPath) {
    EXPECT_EQ(fs_->NativePath("\\MIRVANE\\CAM\\KR\\Tables\\PlanCSVTable.tsv"),
              "\\MIRVANE\\CAM\\KR\\Tables\\PlanCSVTable.tsv");
    EXPECT_EQ(fs_->NativePath("C:\\out\\\\OUT.csv"), "C:\\out\\\\OUT.csv");
}

}  // namespace
