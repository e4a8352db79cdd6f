// Qvkdc.dll as the host loads it: LoadLibrary from the program's folder, the
// two functions through GetProcAddress by their undecorated names, and one
// stand-in host shared by the DLL and the program.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/HostFixture.h"

namespace {

using QvkdcDllLoad = HostTest;
using ExportFn = void (*)(const int*, const ModelId*, const char*, const char*, int*);

TEST_F(QvkdcDllLoad, ExportsBothFunctionsByTheirPlainNames) {
    char exe[MAX_PATH + 1] = {};
    std::string path(exe, GetModuleFileNameA(nullptr, exe, sizeof exe));
    path.erase(path.find_last_of("\\/") + 1);
    HMODULE dll = LoadLibraryA((path + "Qvkdc.dll").c_str());
    ASSERT_NE(dll, nullptr) << path << ": error " << GetLastError();
    auto get = [dll](const char* name) {
        return reinterpret_cast<ExportFn>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
    };
    EXPECT_EQ(get("QvkdcCreOutputData"), nullptr);
    EXPECT_EQ(get("_QvkdcCreOutputDataWp"), nullptr);
    for (const char* name : {"QvkdcCreOutputDataWp", "QvkdcIsExistFileWp"}) {
        int status = 5;
        ASSERT_NE(get(name), nullptr) << name;
        get(name)(nullptr, nullptr, nullptr, nullptr, &status);
        EXPECT_EQ(status, -1) << name;
    }
    EXPECT_EQ(Messages(), std::vector<std::string>{kMsgFailedLine});
    const int count = 0;
    const ModelId none = {0, 0, 0, 0};
    int status = 5;
    get("QvkdcIsExistFileWp")(&count, &none, "C:\\out", "OUT", &status);
    EXPECT_EQ(status, 0);
    FreeLibrary(dll);
}

}  // namespace
