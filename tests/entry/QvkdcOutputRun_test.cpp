// Whole output runs in the test process, where host calls and file
// operations can be made to fail: which plans end how, and what stays on
// disk after a failure.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "entry/QvkdcCreOutputData.h"
#include "platform/FileSystem.h"
#include "qvhostsim/qvhostsim.h"
#include "support/ExportTables.h"
#include "support/FaultFileSystem.h"
#include "support/HostFixture.h"
#include "support/TableRoot.h"

namespace fs = std::filesystem;

namespace {

// Plan 0: two rows; plan 1: two rows; plan 2: one row.
const char kModel[] = R"({"plans": [
  {"id": [1, 0, 0, 1], "name": "First", "processes": [
    {"id": [11, 0, 0, 1], "type": 2411, "params": {"100": 7, "200": 1, "300": "z"}},
    {"id": [12, 0, 0, 1], "type": 2502, "params": {"100": -3, "200": 0}}]},
  {"id": [2, 0, 0, 1], "name": "Second", "processes": [
    {"id": [21, 0, 0, 1], "type": 2448}, {"id": [22, 0, 0, 1], "type": 2411}]},
  {"id": [3, 0, 0, 1], "name": "Third", "processes": [
    {"id": [31, 0, 0, 1], "type": 2411}]}]})";

const char kFirstPlanFile[] = "N,Mode,Z\n7,a,b,\"\"\"z\"\"\"\n-3,off,\n";

class OutputRunTest : public HostTest {
 protected:
    void SetUp() override {
        HostTest::SetUp();
        root_.WriteTables(ExportTables());
        out_ = root_.Path() + "/out";
        fs::create_directory(out_);
        QvsimTraceAll(1, 1);
    }

    // Exports the first count plans of the model into out_.
    int Run(int count, const std::string& name = "OUT") {
        std::vector<ModelId> ids(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) QvsimPlanId(i, &ids[static_cast<std::size_t>(i)]);
        int status = 99;
        QvkdcCreOutputData(&count, ids.data(), out_.c_str(), name.c_str(), &status);
        return status;
    }
    std::set<std::string> Files() const {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(out_)) names.insert(e.path().filename().string());
        return names;
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(out_ + "/" + name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static std::vector<std::string> Messages() {
        std::vector<std::string> lines;
        for (int i = 0; i < QvsimMsgCount(); ++i) lines.emplace_back(QvsimMsgAt(i));
        return lines;
    }
    static bool TraceHas(const std::string& text) {
        return std::string(QvsimTraceText()).find(text) != std::string::npos;
    }

    TableRoot root_;
    std::string out_;
};

// A failure in plan 1 of 3, from the host or from the file system: plan 0's
// file stays whole, plan 1 leaves no file, plan 2 is never listed, and the
// host gets one message 9999.
TEST_F(OutputRunTest, FailureInPlanOneKeepsPlanZerosFileOnly) {
    struct Case {
        const char* hostCall;  // null: a file system fault
        FaultFileSystem::Op op;
        int nth;
        const char* name;
        const char* errText;
        const char* keptFile;
    } const cases[] = {
        {"QdgmInqNctyp", {}, 3, "OUT", "[ERR] : QdgmInqNctyp", "OUT000.csv"},
        {"QdgmGetPrcs", {}, 4, "OUT", "[ERR] : QdgmGetPrcs", "OUT000.csv"},
        {"QdgmRetIdnamLN", {}, 2, "", "[ERR] : Make FileName", "First.csv"},
        {nullptr, FaultFileSystem::kOpenForWrite, 2, "OUT", "[ERR] : File Open", "OUT000.csv"},
        {nullptr, FaultFileSystem::kWrite, 4, "OUT", "[ERR] : File Write", "OUT000.csv"},
        {nullptr, FaultFileSystem::kClose, 2, "OUT", "[ERR] : File Write", "OUT000.csv"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hostCall != nullptr ? c.hostCall : c.errText);
        fs::remove_all(out_);
        fs::create_directory(out_);
        QvsimReset();
        QvsimTraceAll(1, 1);
        ASSERT_NO_FATAL_FAILURE(LoadModel(kModel));
        FaultFileSystem faults(FileSystem::Default());
        ScopedFileSystem scoped(&faults);
        if (c.hostCall != nullptr) {
            QvsimFailCall(c.hostCall, c.nth);
        } else {
            faults.FailNth(c.op, c.nth);
        }
        EXPECT_EQ(Run(3, c.name), -1);
        EXPECT_TRUE(TraceHas(std::string(c.errText) + "\noStatusP = -1\n")) << QvsimTraceText();
        EXPECT_EQ(Files(), std::set<std::string>{c.keptFile});
        EXPECT_EQ(Read(c.keptFile), kFirstPlanFile);
        EXPECT_EQ(QvsimCallCount("QdgmRetLstRO"), 2);
        EXPECT_EQ(Messages(), std::vector<std::string>{kMsgFailedLine});
        EXPECT_EQ(QvsimHeldBlocks(), 0);
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
    EXPECT_EQ(Run(10), 0);
    EXPECT_EQ(Files(), (std::set<std::string>{"OUT008.csv", "OUT009.csv"}));
    EXPECT_EQ(Read("OUT009.csv"), "N,Mode,Z\n9,,\n9,,\n9,,\n");
    const std::string text = kMsgRejectedText;
    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              "\t\t" + text, "M1\tC1\t" + text, "M1\tC1\t" + text,
                              "M3\tC3\t" + text, "M3\tC3\t" + text, "M5\tC5\t" + text,
                              "M5\tC5\t" + text, "M7\tC7\t" + text}));
    // Rejected plans: two types asked, one record read; written plans: three each.
    EXPECT_EQ(QvsimCallCount("QdgmInqNctyp"), 8 * 2 + 2 * 3);
    EXPECT_EQ(QvsimCallCount("QdgmGetPrcs"), 8 * 1 + 2 * 3);
    EXPECT_EQ(QvsimCallCount("QvlbuMagMcaLNF"), 4);
}

TEST_F(OutputRunTest, FailedConversionEndsTheRunWithItsStatus) {
    LoadModel(R"({"plans": [{"id": [1, 0, 0, 1], "processes": [
        {"id": [11, 0, 0, 1], "type": 2411, "params": {"300": {"status": 1}}}]}]})");
    EXPECT_EQ(Run(1), -1);
    EXPECT_TRUE(TraceHas("[ERR] : CnvPrcsVal\n")) << QvsimTraceText();
    EXPECT_TRUE(TraceHas("[ERR] : CnvOutData\noStatusP = -1\n")) << QvsimTraceText();
    EXPECT_TRUE(Files().empty());
    EXPECT_EQ(Messages(), std::vector<std::string>{kMsgFailedLine});
}

TEST_F(OutputRunTest, OverlongPathFailsWithoutWriting) {
    LoadModel(kModel);
    const std::string name(520 - out_.size(), 'n');
    EXPECT_EQ(Run(1, name), -1);
    EXPECT_TRUE(TraceHas("[ERR] : Path too long\n"));
    EXPECT_TRUE(TraceHas("[ERR] : Make FileName\noStatusP = -1\n")) << QvsimTraceText();
    EXPECT_TRUE(Files().empty());
    EXPECT_EQ(Messages(), std::vector<std::string>{kMsgFailedLine});
}

}  // namespace
