#include "windows/TestDrive.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

TEST(TestDrive, HeldDriveIsNotHandedOutAgainAndIsClearedOnReturn) {
    std::string first;
    {
        TestDrive a;
        ASSERT_FALSE(a.Root().empty());
        first = a.Root();
        ASSERT_TRUE(CreateDirectoryA((first + "MIRVANE").c_str(), nullptr));
        std::FILE* f = std::fopen((first + "MIRVANE\\left.csv").c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fclose(f);

        TestDrive b;
        ASSERT_FALSE(b.Root().empty());
        EXPECT_NE(b.Root(), first);
    }
    EXPECT_EQ(GetFileAttributesA((first + "MIRVANE").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
