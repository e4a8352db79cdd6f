// Qvkdc.dll as the host loads it: LoadLibrary from the program's folder, the
// two functions through GetProcAddress by their undecorated names.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "qvhostsim/qvhostsim.h"
#include "qvkdc/qvkdc.h"

namespace {

using ExportFn = void (*)(const int*, const ModelId*, const char*, const char*, int*);

class QvkdcDllLoadTest : public ::testing::Test {
 protected:
    void SetUp() override {
        char exe[MAX_PATH + 1] = {};
        const DWORD n = GetModuleFileNameA(nullptr, exe, sizeof exe);
        ASSERT_GT(n, 0u);
        std::string path(exe, n);
        path.erase(path.find_last_of("\\/") + 1);
        path += "Qvkdc.dll";
        dll_ = LoadLibraryA(path.c_str());
        ASSERT_NE(dll_, nullptr) << path << ": error " << GetLastError();
        QvsimReset();
    }
    void TearDown() override {
        if (dll_ != nullptr) FreeLibrary(dll_);
    }

    ExportFn Get(const char* name) const {
        return reinterpret_cast<ExportFn>(reinterpret_cast<void*>(GetProcAddress(dll_, name)));
    }

    HMODULE dll_ = nullptr;
};

TEST_F(QvkdcDllLoadTest, BothFunctionsAreFoundByTheirPlainNames) {
    EXPECT_NE(Get("QvkdcCreOutputDataWp"), nullptr);
    EXPECT_NE(Get("QvkdcIsExistFileWp"), nullptr);
    EXPECT_EQ(Get("QvkdcCreOutputData"), nullptr);
    EXPECT_EQ(Get("_QvkdcCreOutputDataWp"), nullptr);
}

TEST_F(QvkdcDllLoadTest, NullArgumentsGiveStatusMinusOne) {
    for (const char* name : {"QvkdcCreOutputDataWp", "QvkdcIsExistFileWp"}) {
        const ExportFn fn = Get(name);
        ASSERT_NE(fn, nullptr) << name;
        int status = 5;
        fn(nullptr, nullptr, nullptr, nullptr, &status);
        EXPECT_EQ(status, -1) << name;
    }
}

// The DLL and this program share one host: the failed run's message reaches
// the message manager that the program reads.
TEST_F(QvkdcDllLoadTest, FailedRunReportsToTheHostOfTheProcess) {
    int status = 5;
    Get("QvkdcCreOutputDataWp")(nullptr, nullptr, nullptr, nullptr, &status);
    EXPECT_EQ(status, -1);
    EXPECT_EQ(QvsimMsgCount(), 1);
}

TEST_F(QvkdcDllLoadTest, NoPlansMeansNoExistingFile) {
    const int count = 0;
    const ModelId none = {0, 0, 0, 0};
    int status = 5;
    Get("QvkdcIsExistFileWp")(&count, &none, "C:\\out", "OUT", &status);
    EXPECT_EQ(status, 0);
}

}  // namespace
