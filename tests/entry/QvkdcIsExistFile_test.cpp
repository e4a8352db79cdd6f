// The existence check over files and folders on the real file system.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "entry/QvkdcIsExistFile.h"
#include "qvhostsim/qvhostsim.h"
#include "support/HostFixture.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

const char kModel[] = R"({"plans": [
  {"id": [1, 0, 0, 1], "name": "A"},
  {"id": [2, 0, 0, 1], "name": "B"},
  {"id": [3, 0, 0, 1], "name": "C", "faults": ["QdgmRetIdnamLN"]}
]})";

class ExistFileTest : public HostTest {
 protected:
    void SetUp() override {
        HostTest::SetUp();
        LoadModel(kModel);
    }
    int Check(int count, const char* name) {
        int status = 99;
        QvkdcIsExistFile(&count, plans_, dir_.string().c_str(), name, &status);
        return status;
    }
    int FilePathFrames() const {
        const std::string trace = QvsimTraceText();
        int n = 0;
        for (auto pos = trace.find(">> ::QvkdcGetFilePath"); pos != std::string::npos;
             pos = trace.find(">> ::QvkdcGetFilePath", pos + 1)) {
            ++n;
        }
        return n;
    }
    TempDir tmp_;
    const fs::path dir_{tmp_.Path()};
    const ModelId plans_[3] = {{1, 0, 0, 1}, {2, 0, 0, 1}, {3, 0, 0, 1}};
};

TEST_F(ExistFileTest, NoneExistingGivesZero) {
    QvsimTraceAll(1, 1);
    EXPECT_EQ(Check(2, "OUT"), 0);
    EXPECT_EQ(FilePathFrames(), 2);
}

TEST_F(ExistFileTest, NoPlansComposeNoPath) {
    QvsimTraceAll(1, 1);
    EXPECT_EQ(Check(0, "OUT"), 0);
    EXPECT_EQ(FilePathFrames(), 0);
}

TEST_F(ExistFileTest, LastPlansFileFoundAfterEveryLookup) {
    std::ofstream(dir_ / "OUT001.csv") << "x\n";
    QvsimTraceAll(1, 1);
    EXPECT_EQ(Check(2, "OUT"), 1);
    EXPECT_EQ(FilePathFrames(), 2);
}

TEST_F(ExistFileTest, FirstExistingFileStopsTheSearch) {
    std::ofstream(dir_ / "OUT000.csv") << "x\n";
    QvsimTraceAll(1, 1);
    // Plan 2's name would fail; it is never composed.
    EXPECT_EQ(Check(3, "OUT"), 1);
    EXPECT_EQ(FilePathFrames(), 1);
}

TEST_F(ExistFileTest, FolderOfThatNameCounts) {
    fs::create_directory(dir_ / "OUT.csv");
    EXPECT_EQ(Check(1, "OUT"), 1);
}

TEST_F(ExistFileTest, PlanNamesWhenNoNameIsGiven) {
    std::ofstream(dir_ / "B.csv") << "x\n";
    EXPECT_EQ(Check(2, "  "), 1);
    EXPECT_EQ(Check(1, ""), 0);
}

TEST_F(ExistFileTest, UnreadablePlanNameFailsWithMakeFileName) {
    QvsimTraceAll(1, 1);
    EXPECT_EQ(Check(3, ""), -1);
    const std::string trace = QvsimTraceText();
    EXPECT_NE(trace.find("[ERR] : QdgmRetIdnamLN"), std::string::npos);
    EXPECT_NE(trace.find("[ERR] : Make FileName"), std::string::npos);
    EXPECT_EQ(trace.find("oStatusP = -1"), trace.rfind("oStatusP"));
}

TEST_F(ExistFileTest, OverlongPathFailsWithMakeFileName) {
    QvsimTraceAll(1, 1);
    const std::string name(600, 'n');
    EXPECT_EQ(Check(1, name.c_str()), -1);
    EXPECT_NE(std::string(QvsimTraceText()).find("[ERR] : Make FileName"), std::string::npos);
}

}  // namespace
