// Output file paths: folder, name, plan index or the plan's own name; and
// the existence check over them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "entry/QvkdcGetFilePath.h"
#include "entry/QvkdcIsExistFile.h"
#include "support/HostFixture.h"

namespace {

// Plans A, B and C; C's name cannot be read.
const char kModel[] = R"({"plans": [
  {"id": [1, 0, 0, 1], "name": " Plan One "},
  {"id": [2, 0, 0, 1], "name": "B"},
  {"id": [3, 0, 0, 1], "name": "C", "faults": ["QdgmRetIdnamLN"]}]})";
const ModelId kPlans[3] = {{1, 0, 0, 1}, {2, 0, 0, 1}, {3, 0, 0, 1}};

class FilePathTest : public HostTest {
 protected:
    void SetUp() override {
        HostTest::SetUp();
        LoadModel(kModel);
    }
};

TEST_F(FilePathTest, ComposesFolderBaseAndExtension) {
    const struct { const char* folder; const char* name; int index; int single; const char* path; } cases[] = {
        {"C:\\out", "OUT", 0, 1, "C:\\out\\OUT.csv"},         {"C:\\out", "OUT", 0, 0, "C:\\out\\OUT000.csv"},
        {"C:\\out", "OUT", 7, 0, "C:\\out\\OUT007.csv"},      {"C:\\out", "OUT", 123, 0, "C:\\out\\OUT123.csv"},
        {"C:\\out", "OUT", 1000, 0, "C:\\out\\OUT1000.csv"},
        // The name is trimmed; the folder is used as it stands.
        {"C:\\out", "  OUT ", 0, 1, "C:\\out\\OUT.csv"},
        {" C:\\out ", "OUT", 0, 1, " C:\\out \\OUT.csv"},
        {"C:\\out\\", "OUT", 0, 1, "C:\\out\\\\OUT.csv"},
        {"", "OUT", 2, 0, "\\OUT002.csv"},
        // No usable name, or another flag: the plan's name, untrimmed.
        {"C:\\out", "", 5, 0, "C:\\out\\ Plan One .csv"},  {"C:\\out", " \t ", 5, 1, "C:\\out\\ Plan One .csv"},
        {"C:\\out", "OUT", 5, 2, "C:\\out\\ Plan One .csv"}, {"C:\\out", "OUT", 5, -1, "C:\\out\\ Plan One .csv"},
    };
    for (const auto& c : cases) {
        char path[kQvkdcPathSize] = {};
        EXPECT_EQ(QvkdcGetFilePath(c.index, &kPlans[0], c.folder, c.name, c.single, path), 0)
            << c.folder << "|" << c.name;
        EXPECT_STREQ(path, c.path);
    }
}

TEST_F(FilePathTest, FailureLeavesThePathUntouched) {
    const std::string longFolder(500, 'd');
    const struct { const ModelId* plan; const char* folder; const char* name; const char* trace; } cases[] = {
        {nullptr, "out", "OUT", "[ERR] : Invalid argument"},
        {&kPlans[0], nullptr, "OUT", "[ERR] : Invalid argument"},
        {&kPlans[0], "out", nullptr, "[ERR] : Invalid argument"},
        {&kPlans[2], "out", "", "[ERR] : QdgmRetIdnamLN"},
        {&kPlans[0], longFolder.c_str(), "OUTPUT-NAME", "[ERR] : Path too long"},
    };
    QvsimTraceAll(1, 1);
    for (const auto& c : cases) {
        QvsimTraceClear();
        char path[kQvkdcPathSize];
        std::memset(path, 'x', sizeof path);
        EXPECT_EQ(QvkdcGetFilePath(0, c.plan, c.folder, c.name, 1, path), -1);
        EXPECT_EQ(path[0], 'x');
        EXPECT_TRUE(TraceHas(c.trace)) << QvsimTraceText();
    }
    // folder + "\" + "N" + ".csv" = 511 bytes: the longest path that fits.
    const std::string folder(511 - 6, 'd');
    char path[kQvkdcPathSize];
    ASSERT_EQ(QvkdcGetFilePath(0, &kPlans[0], folder.c_str(), "N", 1, path), 0);
    EXPECT_EQ(std::strlen(path), 511u);
    EXPECT_TRUE(TraceHas("oOutPath = " + std::string(path) + "\n"));
    EXPECT_EQ(QvkdcGetFilePath(0, &kPlans[0], (folder + "d").c_str(), "N", 1, path), -1);
}

TEST_F(FilePathTest, TracesPlanFolderNameAndResult) {
    QvsimTraceAll(1, 1);
    char path[kQvkdcPathSize] = {};
    ASSERT_EQ(QvkdcGetFilePath(3, &kPlans[0], "C:\\out", "OUT", 0, path), 0);
    EXPECT_STREQ(QvsimTraceText(),
                 ">> ::QvkdcGetFilePath [577711]\n"
                 "objid = 1\naplsec = 0\ninsid = 0\nentid = 1\n"
                 "iOutFld = C:\\out\niOutName = OUT\n"
                 "oOutPath = C:\\out\\OUT003.csv\n"
                 "<< ::QvkdcGetFilePath [577711]\n");
}

// The check composes the plans' paths in order and stops at the first that
// exists (a file or a folder) or cannot be made; the temporary file of a
// killed export counts for nothing.
TEST_F(FilePathTest, ExistenceCheck) {
    const std::string longName(600, 'n');
    const struct {
        const char* existing;  // a file, or a folder when it ends in "/"
        int count;
        const char* name;
        int status;
        int paths;  // paths composed
    } cases[] = {
        {nullptr, 2, "OUT", 0, 2},
        {nullptr, 0, "OUT", 0, 0},
        {"OUT001.csv", 2, "OUT", 1, 2},
        {"OUT000.csv", 3, "OUT", 1, 1},  // plan C's name is never needed
        {"OUT.csv/", 1, "OUT", 1, 1},
        {"OUT.csv", 2, "OUT", 0, 2},     // several plans: numbered names
        {"~qvkdc-0a1b2c.tmp", 2, "OUT", 0, 2},
        {"B.csv", 2, "  ", 1, 2},
        {"B.csv", 1, "", 0, 1},
        {nullptr, 3, "", -1, 3},
        {nullptr, 1, longName.c_str(), -1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.existing ? c.existing : "none") << " " << c.count);
        QvsimTraceAll(1, 1);
        TableRoot root;
        if (c.existing != nullptr) {
            const std::string existing = c.existing;
            root.WriteFile("out/" + existing + (existing.back() == '/' ? "x" : ""), "x\n");
        }
        int status = 99;
        QvkdcIsExistFile(&c.count, kPlans, root.PathOf("out").c_str(), c.name, &status);
        EXPECT_EQ(status, c.status);
        EXPECT_EQ(TraceCount(">> ::QvkdcGetFilePath"), c.paths);
        EXPECT_EQ(TraceHas("[ERR] : Make FileName\noStatusP = -1\n"), c.status == -1);
        QvsimTraceClear();
    }
}

}  // namespace
