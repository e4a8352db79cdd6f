#include "windows/TestDrive.h"

#include <windows.h>

#include <filesystem>

namespace {

const char kLockName[] = "qvkdc-test-drive.lock";

}  // namespace

TestDrive::TestDrive() {
    for (int attempt = 0; attempt < 1200; ++attempt) {
        bool mapped = false;
        for (const char* letter = QVKDC_TEST_DRIVES; *letter != '\0'; ++letter) {
            const std::string root = std::string(1, *letter) + ":\\";
            if (GetFileAttributesA(root.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
            mapped = true;
            HANDLE lock = CreateFileA((root + kLockName).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                      nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
            if (lock == INVALID_HANDLE_VALUE) continue;
            lock_ = lock;
            root_ = root;
            ClearRoot();
            return;
        }
        if (!mapped) return;
        Sleep(50);
    }
}

TestDrive::~TestDrive() {
    if (lock_ == nullptr) return;
    ClearRoot();
    CloseHandle(static_cast<HANDLE>(lock_));
}

void TestDrive::ClearRoot() const {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(root_, ec)) {
        if (entry.path().filename() == kLockName) continue;
        std::error_code ignored;
        std::filesystem::remove_all(entry.path(), ignored);
    }
}
