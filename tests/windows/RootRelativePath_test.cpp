// Root-relative paths ("\MIRVANE\CAM\KR\Tables\...") name the root of the
// current drive. The tests fill the root of a drive of their own,
// QVKDC_TEST_DRIVE: under Wine the build maps it to a folder of the build
// tree; elsewhere the test maps it to a temp folder while it runs. Tests run
// in parallel processes, so each one uses files of its own name and leaves
// the folders in place.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "platform/FileSystem.h"

namespace {

const char kTablesFolder[] = "\\MIRVANE\\CAM\\KR\\Tables\\";

class RootRelativePathTest : public ::testing::Test {
 protected:
    void SetUp() override {
        char cwd[MAX_PATH + 1] = {};
        ASSERT_NE(GetCurrentDirectoryA(sizeof cwd, cwd), 0u);
        savedCwd_ = cwd;
        drive_ = QVKDC_TEST_DRIVE;
        if (!SetCurrentDirectoryA((drive_ + "\\").c_str())) {
            char temp[MAX_PATH + 1] = {};
            ASSERT_NE(GetTempPathA(sizeof temp, temp), 0u);
            mapped_ = DefineDosDeviceA(0, drive_.c_str(), temp) != 0;
            ASSERT_TRUE(SetCurrentDirectoryA((drive_ + "\\").c_str()))
                << "the drive " << drive_ << " is not mapped to a test folder";
        }
        for (const char* folder : {"\\MIRVANE", "\\MIRVANE\\CAM", "\\MIRVANE\\CAM\\KR",
                                   "\\MIRVANE\\CAM\\KR\\Tables"}) {
            CreateDirectoryA(folder, nullptr);
        }
        table_ = std::string(kTablesFolder) +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".tsv";
        std::FILE* f = std::fopen((drive_ + table_).c_str(), "wb");
        ASSERT_NE(f, nullptr) << drive_ + table_;
        std::fputs("key\tvalue\r\n", f);
        std::fclose(f);
    }
    void TearDown() override {
        SetCurrentDirectoryA((drive_ + "\\").c_str());
        DeleteFileA((drive_ + table_).c_str());
        SetCurrentDirectoryA(savedCwd_.c_str());
        if (mapped_) DefineDosDeviceA(DDD_REMOVE_DEFINITION, drive_.c_str(), nullptr);
    }

    FileSystem* fs_ = FileSystem::Default();
    std::string savedCwd_;
    std::string drive_;
    std::string table_;
    bool mapped_ = false;
};

TEST_F(RootRelativePathTest, TableIsFoundAtTheRootOfTheCurrentDrive) {
    EXPECT_TRUE(fs_->Exists(table_));
    EXPECT_TRUE(fs_->Exists("\\MIRVANE\\CAM\\KR\\Tables"));
    EXPECT_FALSE(fs_->Exists(std::string(kTablesFolder) + "NoSuchTable.tsv"));

    std::unique_ptr<LineReader> reader;
    ASSERT_EQ(fs_->OpenForRead(table_, &reader), 0);
    std::string line;
    EXPECT_EQ(reader->ReadLine(&line), 1);
    EXPECT_EQ(line, "key\tvalue");
}

TEST_F(RootRelativePathTest, CurrentFolderBelowTheRootDoesNotMatter) {
    ASSERT_TRUE(SetCurrentDirectoryA("\\MIRVANE\\CAM\\KR"));
    EXPECT_TRUE(fs_->Exists(table_));
    EXPECT_FALSE(fs_->Exists(table_.substr(1)));  // relative: below the current folder
}

TEST_F(RootRelativePathTest, AnotherCurrentDriveHasNoTables) {
    char windows[MAX_PATH + 1] = {};
    ASSERT_NE(GetWindowsDirectoryA(windows, sizeof windows), 0u);
    ASSERT_TRUE(SetCurrentDirectoryA(windows));
    ASSERT_NE(std::string(windows).substr(0, 2), drive_);
    EXPECT_FALSE(fs_->Exists(table_));
    EXPECT_TRUE(fs_->Exists(drive_ + table_));
}

}  // namespace
