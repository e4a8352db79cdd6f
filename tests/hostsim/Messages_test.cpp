#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "host/Qvmsg.h"
#include "host/Zrl.h"
#include "support/HostFixture.h"

namespace {

constexpr int kGroup = 577685;

// Text of (group, number) fetched into a buffer that starts as "#".
std::string Fetch(int group, int number) {
    char buf[256];
    std::memset(buf, 'z', sizeof buf);
    std::strcpy(buf, "#");
    int unused = 0;
    ZrlErrGet(group, number, 0, &unused, buf);
    return buf;
}

class HostMessages : public HostTest {};

TEST_F(HostMessages, DefaultTextsAndUnknownNumbersLeaveTheBuffer) {
    struct Case {
        int group;
        int number;
        const char* text;
    };
    const Case cases[] = {
        {kGroup, 1, "Machine"},
        {kGroup, 2, "Controller"},
        {kGroup, 3, "Message"},
        {kGroup, 4, "The plan has a process of a type that cannot be exported; no file was "
                    "written for it."},
        {kGroup, 9999, "The CSV export failed; the trace names the cause."},
        {kGroup, 5, "#"},
        {kGroup, 0, "#"},
        {577686, 1, "#"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Fetch(c.group, c.number), c.text) << c.group << " " << c.number;
    }
    EXPECT_EQ(QvsimCallCount("ZrlErrGet"), 8);
}

TEST_F(HostMessages, ModelOverridesTextsCutAt255UntilReset) {
    const std::string longText(300, 'L');
    LoadModel(R"({"plans": [], "messages": {"1": "", "9999": ")" + longText + R"("}})");
    EXPECT_EQ(Fetch(kGroup, 1), "");
    EXPECT_EQ(Fetch(kGroup, 2), "Controller");
    EXPECT_EQ(Fetch(kGroup, 9999), longText.substr(0, 255));

    char err[256];
    EXPECT_EQ(QvsimLoadModelText("{", "bad.json", err, sizeof err), -1);
    EXPECT_EQ(Fetch(kGroup, 1), "") << "a refused model keeps the texts";

    LoadModel(R"({"plans": []})");
    EXPECT_EQ(Fetch(kGroup, 1), "Machine") << "a new model brings its own texts";
    LoadModel(R"({"plans": [], "messages": {"1": "X"}})");
    QvsimReset();
    EXPECT_EQ(Fetch(kGroup, 1), "Machine");
}

TEST_F(HostMessages, ManagerKeepsTitleAndLinesUntilTheNextInit) {
    EXPECT_EQ(QvsimMsgTitle(), nullptr);
    const int kind = 3;
    QvmsgAddMsg(&kind, "-\t-\tbefore init");
    QvmsgMgrInit();
    EXPECT_EQ(QvsimMsgCount(), 0) << "init starts a new list";
    QvmsgSetClmTtl("Machine\tController\tMessage");
    QvmsgAddMsg(&kind, "M-500\tCTL-9\tPlan rejected.");
    QvmsgAddMsg(nullptr, "-\t-\tno kind");

    EXPECT_EQ(QvsimMsgInitCount(), 1);
    EXPECT_STREQ(QvsimMsgTitle(), "Machine\tController\tMessage");
    ASSERT_EQ(QvsimMsgCount(), 2);
    EXPECT_STREQ(QvsimMsgAt(0), "M-500\tCTL-9\tPlan rejected.");
    EXPECT_EQ(QvsimMsgKindAt(0), 3);
    EXPECT_EQ(QvsimMsgKindAt(1), -1);
    EXPECT_EQ(QvsimMsgAt(2), nullptr);
    EXPECT_EQ(QvsimMsgAt(-1), nullptr);

    QvmsgMgrInit();
    EXPECT_EQ(QvsimMsgTitle(), nullptr);
    EXPECT_EQ(QvsimMsgCount(), 0);
    EXPECT_EQ(QvsimMsgInitCount(), 2);
}

}  // namespace
