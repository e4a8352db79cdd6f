// `qvkdc export` from end to end: model file, tables and option file in a
// temporary root, the files written, the message list and the exit codes.
// Every exit code checked here also says that no host block was left held
// (that would be exit code 4).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "support/ExportTables.h"
#include "support/RunProcess.h"
#include "support/TableRoot.h"

namespace fs = std::filesystem;

namespace {

// 0: two rows; 1: no process (count 0); 2: no process data; 3: rejected by
// its second process; 4: one row.
const char kModel[] = R"({"plans": [
  {"id": [1, 0, 0, 1], "name": "First", "processes": [
    {"id": [11, 0, 0, 1], "type": 2411, "params": {"100": 7, "200": 1, "300": "z"}},
    {"id": [12, 0, 0, 1], "type": 2502, "params": {"100": -3, "200": 0}}]},
  {"id": [2, 0, 0, 1], "name": "Second", "processes": []},
  {"id": [255, 16, 0, -1], "name": "Third"},
  {"id": [4, 0, 0, 1], "name": "Fourth", "machine": {"names": ["5AX", "CTL"]}, "processes": [
    {"id": [41, 0, 0, 1], "type": 2411, "params": {"100": 1}},
    {"id": [42, 0, 0, 1], "type": 2418}]},
  {"id": [5, 0, 0, 1], "name": "Fifth", "processes": [
    {"id": [51, 0, 0, 1], "type": 2448, "params": {"100": 5, "300": "x,y"}}]}]})";

const char kFirstPlanFile[] = "N,Mode,Z\n7,a,b,\"\"\"z\"\"\"\n-3,off,\n";
const char kFifthPlanFile[] = "N,Mode,Z\n5,,\"\"\"x,y\"\"\"\n";

class CliExportTest : public ::testing::Test {
 protected:
    void SetUp() override {
        root_.WriteTables(ExportTables());
        std::ofstream(root_.Path() + "/model.json", std::ios::binary) << kModel;
        fs::create_directory(Out());
    }

    // qvkdc export with the model, --root, --out (relative to the root),
    // then extra.
    ProcessResult Export(std::vector<std::string> extra, const std::string& out = "out") {
        std::vector<std::string> args = {"export", "--model", root_.Path() + "/model.json",
                                         "--root", root_.Path(), "--out", out};
        args.insert(args.end(), extra.begin(), extra.end());
        return RunProcess(QvkdcCliPath(), args);
    }
    std::string Out() const { return root_.Path() + "/out"; }
    std::set<std::string> Files() const {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(Out())) names.insert(e.path().filename().string());
        return names;
    }
    std::string Read(const std::string& path) const {
        std::ifstream in(root_.Path() + "/" + path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    TableRoot root_;
};

TEST_F(CliExportTest, FileNamesByPlanCountAndName) {
    const struct {
        const char* plans;
        const char* name;
        std::set<std::string> files;
    } cases[] = {
        {"0", "OUT", {"OUT.csv"}},
        {"4", "  OUT ", {"OUT.csv"}},
        // Numbered by position in the block, written or not.
        {"0,1,2,3,4", "OUT", {"OUT000.csv", "OUT004.csv"}},
        {"4,0", " \t", {"Fifth.csv", "First.csv"}},
        {"0", "", {"First.csv"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.plans) + " [" + c.name + "]");
        fs::remove_all(Out());
        fs::create_directory(Out());
        const ProcessResult r = Export({"--plans", c.plans, "--name", c.name, "--overwrite"});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, "status: 0\n");
        EXPECT_EQ(Files(), c.files);
    }
}

TEST_F(CliExportTest, TitleLineRowsAndMessagesByteForByte) {
    const ProcessResult r =
        Export({"--plans", "0,3,4", "--name", "OUT", "--messages", "messages.txt"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Files(), (std::set<std::string>{"OUT000.csv", "OUT002.csv"}));
    EXPECT_EQ(Read("out/OUT000.csv"), kFirstPlanFile);
    EXPECT_EQ(Read("out/OUT002.csv"), kFifthPlanFile);
    EXPECT_EQ(Read("messages.txt"),
              std::string(kMsgTitleLine) + "\n5AX\tCTL\t" + kMsgRejectedText + "\n");
}

TEST_F(CliExportTest, EmptyColumnTableGivesEmptyLines) {
    root_.RemoveTable("PlanCSVTable");
    const ProcessResult r = Export({"--plans", "0", "--name", "OUT"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Read("out/OUT.csv"), "\n\n\n");
}

TEST_F(CliExportTest, SkippedPlansTraceTheirIds) {
    const ProcessResult r = Export({"--plans", "1,2", "--name", "OUT", "--trace", "trace.txt"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "status: 0\n");
    EXPECT_TRUE(Files().empty());
    const std::string trace = Read("trace.txt");
    EXPECT_NE(trace.find("\n[INF] : arrOutRow nodata\n[INF]iPlnIdS_I = 2 0 0 1\n"
                         "[INF] : PrcsDat nothing\n[INF]iPlnIdS_I = ff 10 0 ffffffff\n"
                         "oStatusP = 0\n"),
              std::string::npos)
        << trace;
}

TEST_F(CliExportTest, BlankFolderIsRefusedBeforeAnyTable) {
    const ProcessResult r =
        Export({"--name", "OUT", "--overwrite", "--trace", "trace.txt", "--messages",
                "messages.txt"},
               " \t ");
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(r.out, "status: -1\n");
    const std::string trace = Read("trace.txt");
    EXPECT_NE(trace.find("\n[ERR] : Path nothing\noStatusP = -1\n"), std::string::npos) << trace;
    EXPECT_EQ(trace.find("ImpCnvTbl"), std::string::npos) << trace;
    EXPECT_EQ(Read("messages.txt"), std::string(kMsgTitleLine) + "\n" + kMsgFailedLine + "\n");
}

TEST_F(CliExportTest, OverwriteReplacesTheFileWithoutAsking) {
    std::ofstream(Out() + "/OUT.csv", std::ios::binary) << std::string(200, 'x') << "\n";
    const ProcessResult r =
        Export({"--plans", "4", "--name", "OUT", "--overwrite", "--trace", "trace.txt"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Read("out/OUT.csv"), kFifthPlanFile);
    const std::string trace = Read("trace.txt");
    EXPECT_EQ(trace.rfind(">> ::QvkdcCreOutputData [577685]\n", 0), 0u) << trace;
    EXPECT_EQ(trace.find("QvkdcIsExistFile"), std::string::npos);
    EXPECT_NE(trace.find("\n[INF]sOutPath = out\n"), std::string::npos) << trace;
}

TEST_F(CliExportTest, WithoutOverwriteExistingFilesStopTheExport) {
    ProcessResult r = Export({"--plans", "0,4", "--name", "OUT", "--trace", "trace.txt"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    std::string trace = Read("trace.txt");
    const auto check = trace.find(">> ::QvkdcIsExistFile [577710]\n");
    EXPECT_EQ(check, 0u) << trace;
    EXPECT_GT(trace.find(">> ::QvkdcCreOutputData [577685]\n"), check);
    EXPECT_EQ(Read("out/OUT001.csv"), kFifthPlanFile);

    std::ofstream(Out() + "/OUT001.csv", std::ios::binary) << "mine\n";
    fs::remove(Out() + "/OUT000.csv");
    r = Export({"--plans", "0,4", "--name", "OUT", "--trace", "trace.txt"});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.out, "status: 1\n");
    EXPECT_NE(r.err.find("--overwrite"), std::string::npos) << r.err;
    EXPECT_EQ(Files(), std::set<std::string>{"OUT001.csv"});
    EXPECT_EQ(Read("out/OUT001.csv"), "mine\n");
    trace = Read("trace.txt");
    EXPECT_EQ(trace.find("QvkdcCreOutputData"), std::string::npos) << trace;
}

}  // namespace
