// Whole output runs in the test process, with the example tables in a table
// root: the files written, the plans skipped or rejected, the messages, and
// what stays on disk after a failure.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "entry/QvkdcCreOutputData.h"
#include "entry/QvkdcOutputRun.h"
#include "support/FaultFileSystem.h"
#include "support/HostFixture.h"

namespace {

using Files = std::set<std::string>;

// 0: two rows; 1: no process; 2: no process data; 3: rejected by its second
// process; 4: one row.
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

class OutputRunTest : public HostTest {
 protected:
    void SetUp() override {
        HostTest::SetUp();
        Root().WriteTables(TableRoot::Example());
        std::filesystem::create_directory(Root().PathOf("out"));
        QvsimTraceAll(1, 1);
    }

    // Exports the plans of the model at these indexes into the folder; *place
    // receives where the run ended.
    int Run(const std::vector<int>& plans, const std::string& name, std::string folder = "",
            QvkdcRunPlace* place = nullptr) {
        if (folder.empty()) folder = Root().PathOf("out");
        std::vector<ModelId> ids(plans.size());
        for (std::size_t i = 0; i < plans.size(); ++i) QvsimPlanId(plans[i], &ids[i]);
        const int count = static_cast<int>(plans.size());
        int status = 99;
        QvkdcCreOutputDataAt(&count, ids.data(), folder.c_str(), name.c_str(), &status, place);
        return status;
    }
};

TEST_F(OutputRunTest, WritesOneFilePerPlanWithRows) {
    LoadModel(kModel);
    Root().WriteFile("out/OUT000.csv", std::string(200, 'x') + "\n");
    QvkdcRunPlace place;
    EXPECT_EQ(Run({0, 1, 2, 3, 4}, "OUT", "", &place), 0);
    EXPECT_EQ(place.step, FailStep::kNone);
    EXPECT_EQ(Root().Files("out"), (Files{"OUT000.csv", "OUT004.csv"}));
    EXPECT_EQ(Root().ReadFile("out/OUT000.csv"), FileLines(kFirstPlanFile));
    EXPECT_EQ(Root().ReadFile("out/OUT004.csv"), FileLines(kFifthPlanFile));
    EXPECT_STREQ(QvsimMsgTitle(), kMsgTitleLine);
    EXPECT_EQ(Messages(), std::vector<std::string>{std::string("5AX\tCTL\t") + kMsgRejectedText});
    EXPECT_TRUE(TraceHas("\n[INF]sOutPath = " + Root().PathOf("out") + "\n[INF] : arrOutRow nodata\n"
                         "[INF]iPlnIdS_I = 2 0 0 1\n[INF] : PrcsDat nothing\n"
                         "[INF]iPlnIdS_I = ff 10 0 ffffffff\n"))
        << QvsimTraceText();
    EXPECT_TRUE(TraceHas("\noStatusP = 0\n<< ::QvkdcCreOutputData [577685]\n"));
    EXPECT_EQ(QvsimCallCount("QdgmRetLstRO"), 5);
}

// A tool's run from a later plan of the block names each file as the run of
// the whole block does.
TEST_F(OutputRunTest, RunFromALaterPlanKeepsTheFileNames) {
    LoadModel(kModel);
    std::vector<ModelId> ids(2);
    QvsimPlanId(0, &ids[0]);
    QvsimPlanId(4, &ids[1]);
    const int count = 2;
    int status = 99;
    QvkdcCreOutputDataAt(&count, ids.data(), Root().PathOf("out").c_str(), "OUT", &status, nullptr, 1);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Root().Files("out"), Files{"OUT001.csv"});
    EXPECT_EQ(QvsimCallCount("QdgmRetLstRO"), 1);
}

// A single plan's file carries no number; a blank name gives the plans'
// names; an empty column table gives empty title lines and rows.
TEST_F(OutputRunTest, FileNamesAndEmptyColumnTable) {
    LoadModel(kModel);
    EXPECT_EQ(Run({0}, "OUT"), 0);
    EXPECT_EQ(Run({4, 0}, " \t"), 0);
    EXPECT_EQ(Root().Files("out"), (Files{"OUT.csv", "Fifth.csv", "First.csv"}));
    Root().RemoveTable("PlanCSVTable");
    EXPECT_EQ(Run({0, 4}, "OUT"), 0);
    EXPECT_EQ(Root().ReadFile("out/OUT000.csv"), FileLines("\n\n\n"));
    EXPECT_EQ(Root().ReadFile("out/OUT001.csv"), FileLines("\n\n"));
}

// A failure in plan 1 of 3, from the host or from the file system: plan 0's
// file stays whole, plan 1's earlier file stays as it was, plan 2 is never
// listed, and the host gets one message 9999. A blank folder fails before
// any table. A file that cannot be opened or written is named with the
// reason in a note after the failure line, and kept in the run's place.
TEST_F(OutputRunTest, FailureEndsTheRunAndKeepsTheFilesWritten) {
    const char* const kSystems = "the system's reason";
    const struct { const char* fault; int nth; const char *name, *err, *kept, *why; } cases[] = {
        {"QdgmInqNctyp", 3, "OUT", "[ERR] : QdgmInqNctyp", "OUT000.csv", ""},
        {"QdgmGetPrcs", 3, "OUT", "[ERR] : QdgmGetPrcs", "OUT000.csv", ""},
        {"QdgmRetIdnamLN", 2, "", "[ERR] : Make FileName", "First.csv", ""},
        {"QvlbpPrcInqPrm", 7, "OUT", "[ERR] : CnvOutData", "OUT000.csv", ""},
        {"Write", 4, "OUT", "[ERR] : File Write", "OUT000.csv", FaultFileSystem::kFault},
        {"Close", 2, "OUT", "[ERR] : File Write", "OUT000.csv", FaultFileSystem::kFault},
        {"a folder OUT001.csv", 0, "OUT", "[ERR] : File Open", "OUT000.csv", kSystems},
        {"a blank folder", 0, "OUT", "[ERR] : Path nothing", nullptr, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        const std::string fault = c.fault;
        QvsimReset();
        QvsimTraceAll(1, 1);
        LoadModel(kModel);
        Files files;
        if (c.kept != nullptr) files.insert(c.kept);
        files.insert("OUT001.csv");
        const std::string earlier = fault == "a folder OUT001.csv" ? "out/OUT001.csv/x" : "out/OUT001.csv";
        Root().WriteFile(earlier, "earlier\n");
        QvsimFailCall(c.fault, c.nth);
        FaultFileSystem faults(fault == "Close" ? FaultFileSystem::kClose : FaultFileSystem::kWrite,
                               fault == "Write" || fault == "Close" ? c.nth : 0);
        QvkdcRunPlace place;
        EXPECT_EQ(Run({0, 4, 1}, c.name, c.kept != nullptr ? "" : " \t ", &place), -1);
        const std::string why = c.why == kSystems ? place.status.ToString() : c.why;
        const std::string path = *c.why != '\0' ? Root().PathOf("out") + "\\OUT001.csv" : "";
        // The reason goes to the run place; the trace keeps its one line.
        EXPECT_TRUE(TraceHas(std::string(c.err) + "\noStatusP = -1\n")) << QvsimTraceText();
        EXPECT_EQ(FailurePointOf(place.step).Line(), c.err);
        EXPECT_TRUE(place.path == path && place.status.ToString() == why && !place.status.IsNotFound()) << why;
        EXPECT_EQ(place.status.code() != 0, c.why == kSystems);
        EXPECT_EQ(place.plan, c.kept != nullptr ? 1 : -1);
        EXPECT_EQ(Root().Files("out"), files);
        EXPECT_EQ(Root().ReadFile("out/" + std::string(c.kept ? c.kept : "none")),
                  c.kept ? FileLines(kFirstPlanFile) : "<missing>");
        EXPECT_EQ(Root().ReadFile(earlier), "earlier\n");
        EXPECT_EQ(QvsimCallCount("QdgmRetLstRO"), c.kept != nullptr ? 2 : 0);
        EXPECT_EQ(TraceHas("ImpCnvTbl"), c.kept != nullptr);
        EXPECT_STREQ(QvsimMsgTitle(), kMsgTitleLine);
        EXPECT_EQ(Messages(), std::vector<std::string>{kMsgFailedLine});
        for (const std::string& f : files) std::filesystem::remove_all(Root().PathOf("out/" + f));
    }
}

// Plans whose second process has each type code: the rejected ones are left
// at that process, after converting the first, and send message 4 with the
// machine names as the buffers hold them: empty before any lookup ran, and
// kept from the last lookup when a plan has no machine.
TEST_F(OutputRunTest, TypeCodesRejectOrWriteTheirPlan) {
    const int codes[] = {2418, 2423, 2424, 2445, 2410, 2449, 2501, 2503, 2448, 2502};
    // Plan i: id [i, 1, 0, 0], processes [i, 0, 0, 1..3] of the types 2411,
    // codes[i], 2411, each with N = i; odd plans have the machine Mi / Ci.
    std::string model = R"({"plans": [)";
    for (int i = 0; i < 10; ++i) {
        const std::string n = std::to_string(i);
        auto process = [&n](int k, int type) {
            return R"({"id": [)" + n + ", 0, 0, " + std::to_string(k) + R"(], "type": )" +
                   std::to_string(type) + R"(, "params": {"100": )" + n + "}}";
        };
        if (i > 0) model += ",";
        model += R"({"id": [)" + n + ", 1, 0, 0]";
        if (i % 2 == 1) model += R"(, "machine": {"names": ["M)" + n + R"(", "C)" + n + R"("]})";
        model += R"(, "processes": [)" + process(1, 2411) + "," + process(2, codes[i]) + "," +
                 process(3, 2411) + "]}";
    }
    LoadModel(model + "]}");
    EXPECT_EQ(Run({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, "OUT"), 0);
    EXPECT_EQ(Root().Files("out"), (Files{"OUT008.csv", "OUT009.csv"}));
    EXPECT_EQ(Root().ReadFile("out/OUT009.csv"), FileLines("N,Mode,Z\n9,,\n9,,\n9,,\n"));
    const std::string text = kMsgRejectedText;
    EXPECT_EQ(Messages(), (std::vector<std::string>{"\t\t" + text, "M1\tC1\t" + text, "M1\tC1\t" + text,
                                                    "M3\tC3\t" + text, "M3\tC3\t" + text,
                                                    "M5\tC5\t" + text, "M5\tC5\t" + text,
                                                    "M7\tC7\t" + text}));
    // Rejected plans: two types asked, one record read; written plans: three each.
    EXPECT_EQ(QvsimCallCount("QdgmInqNctyp"), 8 * 2 + 2 * 3);
    EXPECT_EQ(QvsimCallCount("QdgmGetPrcs"), 8 * 1 + 2 * 3);
    EXPECT_EQ(QvsimCallCount("QvlbuMagMcaLNF"), 4);
}

}  // namespace
