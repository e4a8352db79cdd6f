// Column titles and message lines sent to the host's message manager.
#include <gtest/gtest.h>

#include <string>

#include "entry/QvkdcMsg.h"
#include "qvhostsim/qvhostsim.h"
#include "support/HostFixture.h"

namespace {

TEST_F(HostTest, TitleLineJoinsTextsOneToThree) {
    QvkdcSetMsgColumns();
    EXPECT_EQ(QvsimMsgInitCount(), 1);
    ASSERT_NE(QvsimMsgTitle(), nullptr);
    EXPECT_STREQ(QvsimMsgTitle(), "Machine\tController\tMessage");
}

TEST_F(HostTest, EmptyTitlesGiveTwoTabs) {
    LoadModel(R"({"plans": [], "messages": {"1": "", "2": "", "3": ""}})");
    QvkdcSetMsgColumns();
    EXPECT_STREQ(QvsimMsgTitle(), "\t\t");
}

TEST_F(HostTest, MessageLineIsFieldsAndText) {
    WriteMsg("M-01", "C-7", kQvkdcMsgRejectedPlan);
    WriteMsg("-", "-", kQvkdcMsgRunFailed);
    ASSERT_EQ(QvsimMsgCount(), 2);
    EXPECT_STREQ(QvsimMsgAt(0),
                 "M-01\tC-7\tThe plan has a process of a type that cannot be exported; "
                 "no file was written for it.");
    EXPECT_STREQ(QvsimMsgAt(1), "-\t-\tThe CSV export failed; the trace names the cause.");
}

TEST_F(HostTest, LongLinesAreCutAt255) {
    const std::string longText(300, 't');
    LoadModel(R"({"plans": [], "messages": {"1": ")" + longText + R"(", "9999": ")" +
              longText + R"("}})");
    QvkdcSetMsgColumns();
    const std::string title = QvsimMsgTitle();
    EXPECT_EQ(title, std::string(255, 't'));
    const std::string field(200, 'f');
    WriteMsg(field.c_str(), field.c_str(), kQvkdcMsgRunFailed);
    const std::string line = QvsimMsgAt(0);
    EXPECT_EQ(line.size(), 255u);
    EXPECT_EQ(line.substr(0, 201), field + "\t");
}

}  // namespace
