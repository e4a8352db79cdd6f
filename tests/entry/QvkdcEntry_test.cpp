// The entry and exit protocol of the two entry functions, and the messages
// to the host's message manager.
#include <gtest/gtest.h>

#include <string>

#include "entry/QvkdcCreOutputData.h"
#include "entry/QvkdcIsExistFile.h"
#include "entry/QvkdcMsg.h"
#include "support/HostFixture.h"

namespace {

using EntryFn = void (*)(const int*, const ModelId*, const char*, const char*, int*);

struct EntryCase {
    const char* name;
    EntryFn fn;
    const char* frame;
    int messages;  // sent for a null argument
};

void PrintTo(const EntryCase& c, std::ostream* os) { *os << c.name; }

const EntryCase kEntries[] = {
    {"CreOutputData", &QvkdcCreOutputData, "::QvkdcCreOutputData [577685]", 1},
    {"IsExistFile", &QvkdcIsExistFile, "::QvkdcIsExistFile [577710]", 0},
};

class EntryProtocolTest : public HostTest, public ::testing::WithParamInterface<EntryCase> {};

TEST_P(EntryProtocolTest, TracesArgumentsThenStatus) {
    QvsimTraceAll(1, 1);
    const ModelId plans[2] = {{1, 2, 3, 4}, {5, 6, 7, 8}};
    const int count = 2;
    int status = 99;
    // An empty folder: the run refuses it, the existence check looks for
    // "\OUT000.csv" and "\OUT001.csv"; both trace the same entry and exit.
    GetParam().fn(&count, plans, "", "OUT", &status);
    const std::string frame = GetParam().frame;
    const std::string entry = ">> " + frame + "\n" +
                              "iPlnIdCnt = 2\n"
                              "iPlnIdArr  = 0\nobjid = 1\naplsec = 2\ninsid = 3\nentid = 4\n"
                              "iPlnIdArr  = 1\nobjid = 5\naplsec = 6\ninsid = 7\nentid = 8\n"
                              "iOutPath = \n"
                              "iOutName = OUT\n";
    const std::string trace = QvsimTraceText();
    EXPECT_EQ(trace.substr(0, entry.size()), entry);
    const std::string exit = "oStatusP = " + std::to_string(status) + "\n<< " + frame + "\n";
    ASSERT_GE(trace.size(), exit.size());
    EXPECT_EQ(trace.substr(trace.size() - exit.size()), exit);
}

TEST_P(EntryProtocolTest, NullArgumentGivesInvalidArgument) {
    const ModelId plan = {1, 0, 0, 1};
    const int one = 1;
    const struct { const int* count; const ModelId* plans; const char* path; const char* name; } cases[] = {
        {nullptr, &plan, "out", "OUT"},
        {&one, nullptr, "out", "OUT"},
        {&one, &plan, nullptr, "OUT"},
        {&one, &plan, "out", nullptr},
    };
    for (const auto& a : cases) {
        QvsimReset();
        QvsimTraceAll(1, 1);
        int status = 0;
        GetParam().fn(a.count, a.plans, a.path, a.name, &status);
        EXPECT_EQ(status, -1);
        const std::string trace = QvsimTraceText();
        EXPECT_NE(trace.find("[ERR] : Invalid argument\n"), std::string::npos) << trace;
        // Lines that would read through a null pointer are left out.
        EXPECT_EQ(trace.find("iPlnIdCnt") == std::string::npos, a.count == nullptr);
        EXPECT_EQ(trace.find("iPlnIdArr") == std::string::npos, a.count == nullptr || a.plans == nullptr);
        // The run sends its failure message without setting up the columns.
        EXPECT_EQ(QvsimMsgInitCount(), 0);
        EXPECT_EQ(QvsimMsgTitle(), nullptr);
        EXPECT_EQ(Messages(), std::vector<std::string>(GetParam().messages, kMsgFailedLine));
    }
}

INSTANTIATE_TEST_SUITE_P(BothEntries, EntryProtocolTest, ::testing::ValuesIn(kEntries),
                         [](const ::testing::TestParamInfo<EntryCase>& p) { return p.param.name; });

using MessageTest = HostTest;

// The title line joins texts 1 to 3 by tabs; a line is its two fields and
// the text of its number, of kind 3; both are cut at 255 bytes.
TEST_F(MessageTest, TitleAndLines) {
    QvkdcSetMsgColumns();
    EXPECT_EQ(QvsimMsgInitCount(), 1);
    EXPECT_STREQ(QvsimMsgTitle(), kMsgTitleLine);
    WriteMsg("M-01", "C-7", kQvkdcMsgRejectedPlan);
    WriteMsg("-", "-", kQvkdcMsgRunFailed);
    EXPECT_EQ(Messages(), (std::vector<std::string>{std::string("M-01\tC-7\t") + kMsgRejectedText,
                                                    kMsgFailedLine}));
    EXPECT_EQ(QvsimMsgKindAt(0), 3);
    EXPECT_EQ(QvsimMsgKindAt(1), 3);

    const std::string longText(300, 't');
    LoadModel(R"({"plans": [], "messages": {"1": "", "2": "", "3": ""}})");
    QvkdcSetMsgColumns();
    EXPECT_STREQ(QvsimMsgTitle(), "\t\t");
    LoadModel(R"({"plans": [], "messages": {"1": ")" + longText + R"(", "9999": ")" + longText + R"("}})");
    QvkdcSetMsgColumns();
    EXPECT_EQ(std::string(QvsimMsgTitle()), std::string(255, 't'));
    const std::string field(200, 'f');
    WriteMsg(field.c_str(), field.c_str(), kQvkdcMsgRunFailed);
    const std::string line = QvsimMsgAt(0);  // init started a new list
    EXPECT_EQ(line.size(), 255u);
    EXPECT_EQ(line.substr(0, 201), field + "\t");
}

}  // namespace
