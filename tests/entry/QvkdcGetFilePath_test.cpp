// Output file names: folder, name, plan index or the plan's own name.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "entry/QvkdcGetFilePath.h"
#include "qvhostsim/qvhostsim.h"
#include "support/HostFixture.h"

namespace {

const char kModel[] = R"({"plans": [
  {"id": [1, 0, 0, 1], "name": " Plan One ", "processes": []},
  {"id": [2, 0, 0, 1], "name": "P2", "faults": ["QdgmRetIdnamLN"]}
]})";

class FilePathTest : public HostTest {
 protected:
    void SetUp() override {
        HostTest::SetUp();
        LoadModel(kModel);
    }
    const ModelId kPlan{1, 0, 0, 1};
    const ModelId kNamelessPlan{2, 0, 0, 1};
};

struct PathCase {
    const char* folder;
    const char* name;
    int index;
    int single;
    const char* path;
};

TEST_F(FilePathTest, ComposesFolderBaseAndExtension) {
    const PathCase cases[] = {
        {"C:\\out", "OUT", 0, 1, "C:\\out\\OUT.csv"},
        {"C:\\out", "OUT", 0, 0, "C:\\out\\OUT000.csv"},
        {"C:\\out", "OUT", 7, 0, "C:\\out\\OUT007.csv"},
        {"C:\\out", "OUT", 123, 0, "C:\\out\\OUT123.csv"},
        {"C:\\out", "OUT", 1000, 0, "C:\\out\\OUT1000.csv"},
        // The name is trimmed; the folder is used as it stands.
        {"C:\\out", "  OUT ", 0, 1, "C:\\out\\OUT.csv"},
        {" C:\\out ", "OUT", 0, 1, " C:\\out \\OUT.csv"},
        {"C:\\out\\", "OUT", 0, 1, "C:\\out\\\\OUT.csv"},
        {"", "OUT", 2, 0, "\\OUT002.csv"},
        // No usable name, or another flag: the plan's name, untrimmed, no
        // number.
        {"C:\\out", "", 5, 0, "C:\\out\\ Plan One .csv"},
        {"C:\\out", " \t ", 5, 1, "C:\\out\\ Plan One .csv"},
        {"C:\\out", "OUT", 5, 2, "C:\\out\\ Plan One .csv"},
        {"C:\\out", "OUT", 5, -1, "C:\\out\\ Plan One .csv"},
    };
    for (const PathCase& c : cases) {
        char path[kQvkdcPathSize] = {};
        EXPECT_EQ(QvkdcGetFilePath(c.index, &kPlan, c.folder, c.name, c.single, path), 0)
            << c.folder << "|" << c.name;
        EXPECT_STREQ(path, c.path);
    }
}

TEST_F(FilePathTest, FailureLeavesPathUntouched) {
    const std::string longFolder(500, 'd');
    struct {
        const ModelId* plan;
        const char* folder;
        const char* name;
        const char* trace;
    } cases[] = {
        {nullptr, "out", "OUT", "[ERR] : Invalid argument"},
        {&kPlan, nullptr, "OUT", "[ERR] : Invalid argument"},
        {&kPlan, "out", nullptr, "[ERR] : Invalid argument"},
        {&kNamelessPlan, "out", "", "[ERR] : QdgmRetIdnamLN"},
        {&kPlan, longFolder.c_str(), "OUTPUT-NAME", "[ERR] : Path too long"},
    };
    for (const auto& c : cases) {
        QvsimTraceClear();
        QvsimTraceAll(1, 1);
        char path[kQvkdcPathSize];
        std::memset(path, 'x', sizeof path);
        EXPECT_EQ(QvkdcGetFilePath(0, c.plan, c.folder, c.name, 1, path), -1);
        EXPECT_EQ(path[0], 'x');
        EXPECT_NE(std::string(QvsimTraceText()).find(c.trace), std::string::npos)
            << QvsimTraceText();
    }
}

TEST_F(FilePathTest, LongestPathFitsTheBuffer) {
    // folder + "\" + "N" + ".csv" = 511 bytes: the longest path that fits.
    const std::string folder(511 - 6, 'd');
    char path[kQvkdcPathSize];
    std::memset(path, 'x', sizeof path);
    ASSERT_EQ(QvkdcGetFilePath(0, &kPlan, folder.c_str(), "N", 1, path), 0);
    EXPECT_EQ(std::strlen(path), 511u);
    EXPECT_EQ(QvkdcGetFilePath(0, &kPlan, (folder + "d").c_str(), "N", 1, path), -1);
}

TEST_F(FilePathTest, TracesPlanFolderNameAndResult) {
    QvsimTraceAll(1, 1);
    char path[kQvkdcPathSize] = {};
    ASSERT_EQ(QvkdcGetFilePath(3, &kPlan, "C:\\out", "OUT", 0, path), 0);
    EXPECT_STREQ(QvsimTraceText(),
                 ">> ::QvkdcGetFilePath [577711]\n"
                 "objid = 1\naplsec = 0\ninsid = 0\nentid = 1\n"
                 "iOutFld = C:\\out\niOutName = OUT\n"
                 "oOutPath = C:\\out\\OUT003.csv\n"
                 "<< ::QvkdcGetFilePath [577711]\n");
}

}  // namespace
