// Root-relative paths ("\MIRVANE\CAM\KR\Tables\...") name the root of the
// current drive, whatever the current folder on it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <memory>
#include <string>

#include "platform/FileSystem.h"
#include "windows/TestDrive.h"

namespace {

const char kTable[] = "\\MIRVANE\\CAM\\KR\\Tables\\PlanCSVTable.tsv";

class RootRelativePathTest : public ::testing::Test {
 protected:
    void SetUp() override {
        ASSERT_FALSE(drive_.Root().empty()) << "no test drive of " QVKDC_TEST_DRIVES " is mapped";
        char cwd[MAX_PATH + 1] = {};
        ASSERT_NE(GetCurrentDirectoryA(sizeof cwd, cwd), 0u);
        savedCwd_ = cwd;
        ASSERT_TRUE(SetCurrentDirectoryA(drive_.Root().c_str()));
        for (const char* folder : {"\\MIRVANE", "\\MIRVANE\\CAM", "\\MIRVANE\\CAM\\KR",
                                   "\\MIRVANE\\CAM\\KR\\Tables"}) {
            ASSERT_TRUE(CreateDirectoryA(folder, nullptr)) << folder;
        }
        std::FILE* f = std::fopen(kTable, "wb");
        ASSERT_NE(f, nullptr);
        std::fputs("key\tvalue\r\n", f);
        std::fclose(f);
    }
    void TearDown() override { SetCurrentDirectoryA(savedCwd_.c_str()); }

    TestDrive drive_;
    FileSystem* fs_ = FileSystem::Default();
    std::string savedCwd_;
};

TEST_F(RootRelativePathTest, TableIsFoundAtTheRootOfTheCurrentDrive) {
    EXPECT_TRUE(fs_->Exists(kTable));
    EXPECT_TRUE(fs_->Exists("\\MIRVANE\\CAM\\KR\\Tables"));
    EXPECT_FALSE(fs_->Exists("\\MIRVANE\\CAM\\KR\\Tables\\ExteriorTable.tsv"));

    std::unique_ptr<LineReader> reader;
    ASSERT_EQ(fs_->OpenForRead(kTable, &reader), 0);
    std::string line;
    EXPECT_EQ(reader->ReadLine(&line), 1);
    EXPECT_EQ(line, "key\tvalue");
}

TEST_F(RootRelativePathTest, CurrentFolderBelowTheRootDoesNotMatter) {
    ASSERT_TRUE(SetCurrentDirectoryA("\\MIRVANE\\CAM\\KR"));
    EXPECT_TRUE(fs_->Exists(kTable));
    EXPECT_FALSE(fs_->Exists(kTable + 1));  // relative: below the current folder
}

TEST_F(RootRelativePathTest, AnotherCurrentDriveHasNoTables) {
    char windows[MAX_PATH + 1] = {};
    ASSERT_NE(GetWindowsDirectoryA(windows, sizeof windows), 0u);
    ASSERT_NE(std::toupper(windows[0]), std::toupper(drive_.Root()[0]));
    ASSERT_TRUE(SetCurrentDirectoryA(windows));
    EXPECT_FALSE(fs_->Exists(kTable));
    EXPECT_TRUE(fs_->Exists(drive_.Root() + (kTable + 1)));
}

}  // namespace
