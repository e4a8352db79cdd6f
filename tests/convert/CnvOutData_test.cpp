// Column dispatch: fixed empty items, exact item names, missing set-up,
// failing converters and the result trace.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "qvhostsim/qvhostsim.h"
#include "support/CnvFixture.h"

namespace {

int HostCalls() {
    int n = 0;
    for (const char* call : {"QdgmRetIdnamLN", "QdgmRetLstRM",
                             "QvlbpPrcInqPrm", "QvptfInqLnN"}) {
        n += QvsimCallCount(call);
    }
    return n;
}

bool TraceHas(const std::string& text) {
    return std::string(QvsimTraceText()).find(text) != std::string::npos;
}

}  // namespace

using CnvOutData = CnvFixture;

TEST_F(CnvOutData, FixedEmptyItemsReadNothing) {
    const int before = HostCalls();
    for (const char* name :
         {"ttlKPUSRDEF1", "ttlKPUSRDEF2", "ttlKPUSRDEF3", "ttlKPUSRDEF4",
          "ttlKPUSRDEF5", "ttlKPUSRDEF6", "ttlKPUSRDEF7", "ttlKPUSRDEF8",
          "ttlKPUSRDEF9", "ttlKPUSRDEF10", "ttlKPANGLE", "comment",
          "planFolder", "processCheck", "toolType2", "toolType3", "toolType4",
          "toolType5", "toolCheck2", "toolCheck3", "toolCheck4",
          "toolCheck5"}) {
        EXPECT_EQ(Text(name, 257, kString), "") << name;
    }
    EXPECT_EQ(HostCalls(), before);
}

TEST_F(CnvOutData, OtherNamesAreParameterColumns) {
    // Near misses of dispatch names, and the empty name.
    for (const char* name : {"tooltype1", "TOOLTYPE1", "toolType1 ",
                             " comment", "ttlKPUSRDEF11", "planname", ""}) {
        const int before = Inq();
        EXPECT_EQ(Text(name, 250, kInteger), "3") << name;
        EXPECT_EQ(Inq(), before + 1) << name;
    }
    EXPECT_EQ(Text("", 0, kInteger), "");
    // Dedicated items ignore the column's key and value type.
    EXPECT_EQ(Text("ttlKHNAMEA", 250, kInteger), Q3("Drill"));
}

TEST_F(CnvOutData, MissingSetUpFailsAndKeepsTheText) {
    QvsimTraceAll(1, 1);
    const struct {
        bool row, table, record;
        const char* err;
    } cases[] = {{false, true, true, "[ERR] : NULL ColTbl"},
                 {true, false, true, "[ERR] : NULL ColTbl"},
                 {true, true, false, "[ERR] : NULL datSP"}};
    for (const auto& c : cases) {
        CQvkdcCnvColData cnv;
        if (c.row) cnv.SetColRow(&row_);
        if (c.table) cnv.SetSlctTbl(&slct_);
        if (c.record) cnv.SetPrcsDat(Record());
        QvsimTraceClear();
        std::string out = "kept";
        EXPECT_EQ(cnv.CnvOutData(out), -1);
        EXPECT_EQ(out, "kept");
        EXPECT_TRUE(TraceHas(c.err)) << QvsimTraceText();
    }
}

TEST_F(CnvOutData, FailingConverterKeepsTheTextAndLogsItsName) {
    QvsimTraceAll(1, 1);
    const struct {
        const char* call;
        const char* item;
        int key;
        const char* err;
    } cases[] = {{"QdgmRetIdnamLN", "ttlKHNAMEA", 0, "[ERR] : CnvPrcsNam"},
                 {"QdgmRetLstRM", "planName", 0, "[ERR] : CnvPlanNam"},
                 {"QdgmRetIdnamLN", "planName", 0, "[ERR] : CnvPlanNam"},
                 {"QvptfInqLnN", "toolCheck1", 0, "[ERR] : CnvToolCheck1"},
                 {"QvlbpPrcInqPrm", "ttlLCLPHGT", 1300, "[ERR] : CnvLCLPVal"},
                 {"QvlbpPrcInqPrm", "anyItem", 250, "[ERR] : CnvPrcsVal"}};
    for (const auto& c : cases) {
        ASSERT_EQ(QvsimFailCall(c.call, 1), 0);
        QvsimTraceClear();
        std::string out = "kept";
        EXPECT_EQ(Convert(c.item, c.key, kReal, &out), -1) << c.item;
        EXPECT_EQ(out, "kept") << c.item;
        EXPECT_TRUE(TraceHas(c.err)) << QvsimTraceText();
        EXPECT_TRUE(TraceHas("oOutStr")) << QvsimTraceText();
        QvsimFailCall(c.call, 0);
    }
}

TEST_F(CnvOutData, ResultIsTracedOnlyWhileTracing) {
    QvsimTraceAll(1, 1);
    Text("ttlKHNAMEA");
    EXPECT_TRUE(TraceHas("oOutStr")) << QvsimTraceText();
    EXPECT_TRUE(TraceHas(Q3("Drill"))) << QvsimTraceText();
    QvsimTraceAll(1, 0);
    QvsimTraceClear();
    Text("ttlKHNAMEA");
    std::string out;
    EXPECT_EQ(cnv_.CnvOutData(out), 0);
    EXPECT_EQ(std::string(QvsimTraceText()), "");
}

TEST(CnvColData, SetPrcsIdCopiesFourIntsInOrder) {
    CQvkdcCnvColData cnv;
    EXPECT_EQ(cnv.GetPrcsId().entid, 0);
    EXPECT_EQ(cnv.GetColRow(), nullptr);
    EXPECT_EQ(cnv.GetSlctTbl(), nullptr);
    EXPECT_EQ(cnv.GetPrcsDat(), nullptr);
    const int32_t ints[4] = {7, -8, 9, 10};
    cnv.SetPrcsId(ints);
    const ModelId& id = cnv.GetPrcsId();
    EXPECT_EQ((std::vector<int32_t>{id.objid, id.aplsec, id.insid, id.entid}),
              (std::vector<int32_t>{7, -8, 9, 10}));
}
