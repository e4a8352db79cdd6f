#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

#include "host/Zrl.h"
#include "support/HostFixture.h"

namespace {

const TraceRecord kOuter = {577685, "::QvkdcCreOutputData"};
const TraceRecord kInner = {577686, "CQvkdcCnvTblCtrl::ImpCnvTbl"};

class HostTrace : public HostTest {};

TEST_F(HostTrace, NestedFramesIndentTwoBlanksPerLevelBelowTheOutermost) {
    ZrlStkLvlInc();
    ZrlInt(&kOuter);
    ZrlVal("iPlnIdCnt", "%d", 3);
    ZrlStkLvlInc();
    ZrlInt(&kInner);
    ZrlVal("sPath", "%s", "C:\\work");
    ZrlChr("[ERR] : File Open");
    ZrlTrceMk(1, kInner.name, kInner.id);
    ZrlStkLvlDec();
    ZrlVal("oStatusP", "%d", -1);
    ZrlTrceMk(1, kOuter.name, kOuter.id);
    ZrlStkLvlDec();
    ZrlChr("outside");

    EXPECT_STREQ(QvsimTraceText(),
                 ">> ::QvkdcCreOutputData [577685]\n"
                 "iPlnIdCnt = 3\n"
                 "  >> CQvkdcCnvTblCtrl::ImpCnvTbl [577686]\n"
                 "  sPath = C:\\work\n"
                 "  [ERR] : File Open\n"
                 "  << CQvkdcCnvTblCtrl::ImpCnvTbl [577686]\n"
                 "oStatusP = -1\n"
                 "<< ::QvkdcCreOutputData [577685]\n"
                 "outside\n");
}

TEST_F(HostTrace, ChrKeepsItsLineFeedsAndEndsWithExactlyOne) {
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"one", "one\n"},
        {"one\n", "one\n"},
        {"a\tb\nc\td\n", "a\tb\nc\td\n"},
        {"a\nb", "a\nb\n"},
        {"", "\n"},
    };
    for (const Case& c : cases) {
        QvsimTraceClear();
        ZrlChr(c.text);
        EXPECT_STREQ(QvsimTraceText(), c.expected) << c.text;
    }
}

TEST_F(HostTrace, SnpPrintsEachValueInTheCallsFormat) {
    const int32_t id[4] = {1, 255, 0, -1};
    const uint16_t halves[3] = {10, 0xabcd, 0};
    struct Case {
        const char* format;
        const void* data;
        int count;
        int size;
        const char* expected;
    };
    const Case cases[] = {
        {"%x", id, 4, 4, "[INF]iPlnIdS_I = 1 ff 0 ffffffff\n"},
        {"%d", id, 4, 4, "[INF]iPlnIdS_I = 1 255 0 -1\n"},
        {"%08X", id, 2, 4, "[INF]iPlnIdS_I = 00000001 000000FF\n"},
        {"%x", halves, 3, 2, "[INF]iPlnIdS_I = a abcd 0\n"},
        {"%s", id, 1, 4, "[INF]iPlnIdS_I = 1\n"},  // no text dumps: hex instead
    };
    for (const Case& c : cases) {
        QvsimTraceClear();
        ZrlSnp("[INF]iPlnIdS_I", c.format, c.data, c.count, c.size);
        EXPECT_STREQ(QvsimTraceText(), c.expected) << c.format;
    }
}

TEST_F(HostTrace, ValWritesATextOfAnyLength) {
    const std::string text(5000, 'q');
    ZrlVal("sLong", "%s", text.c_str());
    EXPECT_EQ(std::string(QvsimTraceText()), "sLong = " + text + "\n");
}

TEST_F(HostTrace, TraceFileGetsEveryLineAsWritten) {
    const std::string path = ::testing::TempDir() + "qvsim_trace_test.txt";
    ASSERT_EQ(QvsimTraceFile(path.c_str()), 0);
    ZrlStkLvlInc();
    ZrlInt(&kOuter);
    ZrlChr("[INF] : note");
    std::ifstream in(path, std::ios::binary);
    std::stringstream written;
    written << in.rdbuf();
    EXPECT_EQ(written.str(), ">> ::QvkdcCreOutputData [577685]\n[INF] : note\n");
    EXPECT_EQ(written.str(), QvsimTraceText());
    ZrlStkLvlDec();

    EXPECT_EQ(QvsimTraceFile((::testing::TempDir() + "no/such/dir/t.txt").c_str()), -1);
}

TEST_F(HostTrace, ResetPutsSwitchesFrameAndLevelBack) {
    QvsimTraceAll(1, 1);
    QvsimTraceId(577686, 2);
    TraceFrame frame = {nullptr, &kOuter, 1};
    *ZrlCurrentAreaGet() = &frame;
    ZrlStkLvlInc();
    ZrlStkLvlInc();
    EXPECT_EQ(ZrlMainSw, 1);
    EXPECT_EQ(ZrlProgSw[577685], 1);
    EXPECT_EQ(ZrlProgSw[577686], 2);
    EXPECT_EQ(ZrlCurrentGet(), &frame);

    QvsimReset();
    EXPECT_EQ(ZrlMainSw, 0);
    EXPECT_EQ(ZrlProgSw[577685], 0);
    EXPECT_EQ(ZrlProgSw[577686], 0);
    EXPECT_EQ(ZrlCurrentGet(), nullptr);
    ZrlChr("top");  // level 0 again: no indent
    ZrlStkLvlDec();  // below 0 is ignored
    ZrlStkLvlInc();
    ZrlChr("still top");
    ZrlStkLvlDec();
    EXPECT_STREQ(QvsimTraceText(), "top\nstill top\n");
}

}  // namespace
