// Entry and exit protocol of the two entry functions: the argument trace,
// the argument check, and the exit trace.
#include <gtest/gtest.h>

#include <string>

#include "entry/QvkdcCreOutputData.h"
#include "entry/QvkdcEntry.h"
#include "entry/QvkdcIsExistFile.h"
#include "qvhostsim/qvhostsim.h"
#include "support/HostFixture.h"

namespace {

using EntryFn = void (*)(const int*, const ModelId*, const char*, const char*, int*);

struct EntryCase {
    const char* name;
    EntryFn fn;
    const char* frame;
};

const EntryCase kEntries[] = {
    {"CreOutputData", &QvkdcCreOutputData, "::QvkdcCreOutputData [577685]"},
    {"IsExistFile", &QvkdcIsExistFile, "::QvkdcIsExistFile [577710]"},
};

class EntryProtocolTest : public HostTest,
                          public ::testing::WithParamInterface<EntryCase> {};

TEST_P(EntryProtocolTest, TracesArgumentsThenStatus) {
    QvsimTraceAll(1, 1);
    const ModelId plans[2] = {{1, 2, 3, 4}, {5, 6, 7, 8}};
    const int count = 2;
    int status = 99;
    GetParam().fn(&count, plans, "", "OUT", &status);
    const std::string frame = GetParam().frame;
    // An empty folder: the run refuses it, the existence check looks for
    // "\OUT000.csv" and the like; both trace the same entry and exit.
    const std::string entry =
        ">> " + frame + "\n"
        "iPlnIdCnt = 2\n"
        "iPlnIdArr  = 0\nobjid = 1\naplsec = 2\ninsid = 3\nentid = 4\n"
        "iPlnIdArr  = 1\nobjid = 5\naplsec = 6\ninsid = 7\nentid = 8\n"
        "iOutPath = \n"
        "iOutName = OUT\n";
    const std::string trace = QvsimTraceText();
    EXPECT_EQ(trace.substr(0, entry.size()), entry);
    const std::string exit =
        "oStatusP = " + std::to_string(status) + "\n<< " + frame + "\n";
    ASSERT_GE(trace.size(), exit.size());
    EXPECT_EQ(trace.substr(trace.size() - exit.size()), exit);
}

TEST_P(EntryProtocolTest, NullArgumentGivesInvalidArgument) {
    const ModelId plan = {1, 0, 0, 1};
    const int one = 1;
    struct Args {
        const int* count;
        const ModelId* plans;
        const char* path;
        const char* name;
    };
    const Args cases[] = {
        {nullptr, &plan, "out", "OUT"},
        {&one, nullptr, "out", "OUT"},
        {&one, &plan, nullptr, "OUT"},
        {&one, &plan, "out", nullptr},
    };
    for (const Args& a : cases) {
        QvsimReset();
        QvsimTraceAll(1, 1);
        int status = 0;
        GetParam().fn(a.count, a.plans, a.path, a.name, &status);
        EXPECT_EQ(status, -1);
        const std::string trace = QvsimTraceText();
        EXPECT_NE(trace.find("[ERR] : Invalid argument\n"), std::string::npos) << trace;
        // Lines that would read through a null pointer are left out.
        if (a.count == nullptr) {
            EXPECT_EQ(trace.find("iPlnIdCnt"), std::string::npos);
        }
        if (a.plans == nullptr) {
            EXPECT_EQ(trace.find("iPlnIdArr"), std::string::npos);
        }
    }
}

TEST_P(EntryProtocolTest, NoTraceLinesWhileTracingIsOff) {
    const int zero = 0;
    const ModelId plan{};
    int status = 99;
    GetParam().fn(&zero, &plan, "out", "OUT", &status);
    EXPECT_NE(status, 99);
    EXPECT_STREQ(QvsimTraceText(), "");
}

TEST_P(EntryProtocolTest, OnlyItsOwnIdSwitchesItsFrame) {
    QvsimTraceAll(1, 0);
    QvsimTraceId(577711, 1);  // the file path frame only
    const int zero = 0;
    const ModelId plan{};
    int status = 99;
    GetParam().fn(&zero, &plan, "out", "OUT", &status);
    EXPECT_STREQ(QvsimTraceText(), "");
}

std::string EntryName(const ::testing::TestParamInfo<EntryCase>& param) {
    return param.param.name;
}

INSTANTIATE_TEST_SUITE_P(BothEntries, EntryProtocolTest, ::testing::ValuesIn(kEntries),
                         EntryName);

TEST_F(HostTest, ExitTraceNeedsTracingActiveAtEntry) {
    const TraceRecord rec = {577710, "::QvkdcIsExistFile"};
    QvsimTraceAll(0, 1);  // frame levels set, master switch off
    int status = 0;
    {
        TraceScope scope(rec);
        QvsimTraceAll(1, 1);  // switched on during the call
        QvkdcExitProtocol(scope, 7, &status);
    }
    EXPECT_EQ(status, 7);
    EXPECT_EQ(std::string(QvsimTraceText()).find("oStatusP"), std::string::npos);
}

TEST_F(HostTest, ExitTraceStopsWhenTracingWasSwitchedOff) {
    const TraceRecord rec = {577710, "::QvkdcIsExistFile"};
    QvsimTraceAll(1, 1);
    int status = 0;
    {
        TraceScope scope(rec);
        QvsimTraceAll(0, 1);
        QvkdcExitProtocol(scope, 1, &status);
    }
    EXPECT_EQ(std::string(QvsimTraceText()).find("oStatusP"), std::string::npos);
}

TEST_F(HostTest, FailedArgumentCheckSendsOneMessageWithoutColumns) {
    int status = 0;
    QvkdcCreOutputData(nullptr, nullptr, "out", "OUT", &status);
    EXPECT_EQ(status, -1);
    EXPECT_EQ(QvsimMsgInitCount(), 0);
    EXPECT_EQ(QvsimMsgTitle(), nullptr);
    ASSERT_EQ(QvsimMsgCount(), 1);
    EXPECT_STREQ(QvsimMsgAt(0), "-\t-\tThe CSV export failed; the trace names the cause.");
}

TEST_F(HostTest, ExistenceCheckSendsNoMessage) {
    int status = 0;
    QvkdcIsExistFile(nullptr, nullptr, "out", "OUT", &status);
    EXPECT_EQ(status, -1);
    EXPECT_EQ(QvsimMsgCount(), 0);
}

}  // namespace
