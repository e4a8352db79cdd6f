// What a host follows a run by: the notes-only trace and the call log.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/Qdgm.h"
#include "host/Qvlbu.h"
#include "host/Zrl.h"
#include "support/HostFixture.h"

namespace {

const TraceRecord kRun = {577685, "::QvkdcCreOutputData"};

class FollowingARun : public HostTest {};

TEST_F(FollowingARun, NotesOnlyKeepsErrorAndInformationLinesOfEveryKind) {
    QvsimTraceNotesOnly(1);
    const int ids[4] = {1, 2, 3, 4};
    ZrlStkLvlInc();
    ZrlInt(&kRun);
    ZrlVal("iPlnIdCnt", "%d", 3);
    ZrlVal("[INF]sOutPath", "%s", "out");
    ZrlChr("[ERR] : File Open");
    ZrlChr("[INF] : PrcsDat nothing");
    ZrlChr("ERR in the middle [ERR]");
    ZrlSnp("[INF]iPlnIdS_I", "%x", ids, 4, 4);
    ZrlSnp("plan", "%x", ids, 4, 4);
    ZrlChr(nullptr);
    ZrlTrceMk(1, kRun.name, kRun.id);
    ZrlStkLvlDec();
    EXPECT_STREQ(QvsimTraceText(),
                 "[INF]sOutPath = out\n[ERR] : File Open\n[INF] : PrcsDat nothing\n"
                 "[INF]iPlnIdS_I = 1 2 3 4\n");

    QvsimTraceNotesOnly(0);
    QvsimTraceClear();
    ZrlChr("kept again");
    EXPECT_STREQ(QvsimTraceText(), "kept again\n");
}

TEST_F(FollowingARun, CallLogHoldsTheCallsThatTellWhatBecameOfEachPlan) {
    LoadModel(R"({"plans": [
        {"id": [1, 0, 0, 1], "processes": [{"id": [11, 0, 0, 1], "type": 2418}]},
        {"id": [2, 0, 0, 1]},
        {"id": [3, 0, 0, 1], "processes": [{"id": [31, 0, 0, 1], "type": 2411,
                                            "faults": ["QdgmInqNctyp"]}]}]})");
    const ModelId plan1{1, 0, 0, 1}, plan2{2, 0, 0, 1}, plan3{3, 0, 0, 1};
    int count = 0;
    ModelId* list = nullptr;
    int unused = 0;
    int type = 0;
    ASSERT_EQ(QdgmRetLstRO(kQdgmRelPlanPrcs, &plan1, &count, &list), 0);  // before the log
    QmemFreId(list);

    QvsimCallLog(1);
    ASSERT_EQ(QdgmRetLstRO(kQdgmRelPlanPrcs, &plan1, &count, &list), 0);
    QdgmInqNctyp(&list[0], &unused, &type);
    QmemFreId(list);
    int64_t unused64 = 0;
    QvlbuMaId maid{};
    int st = 0;
    QvlbuGetMaId(&plan1, &unused64, &maid, &st);
    EXPECT_LT(QdgmRetLstRO(kQdgmRelPlanPrcs, &plan2, &count, &list), 0);
    ASSERT_EQ(QdgmRetLstRO(kQdgmRelPlanPrcs, &plan3, &count, &list), 0);
    EXPECT_NE(QdgmInqNctyp(&list[0], &unused, &type), 0);
    QmemFreId(list);
    char name[kQdgmNameSize] = {};
    EXPECT_EQ(QdgmRetIdnamLN(&plan3, name), 0);  // succeeds: not logged
    const ModelId unknown{9, 0, 0, 1};
    EXPECT_LT(QdgmRetIdnamLN(&unknown, name), 0);
    QvsimCallLog(0);
    QdgmRetLstRO(kQdgmRelPlanPrcs, &plan2, &count, &list);  // after the log

    struct Expected {
        const char* call;
        int objid;
        bool failed;
        int value;
    };
    const std::vector<Expected> expected = {
        {"QdgmRetLstRO", 1, false, 1}, {"QdgmInqNctyp", 11, false, 2418},
        {"QvlbuGetMaId", 1, false, 1}, {"QdgmRetLstRO", 2, true, 0},
        {"QdgmRetLstRO", 3, false, 1}, {"QdgmInqNctyp", 31, true, 0},
        {"QdgmRetIdnamLN", 9, true, 0}};
    ASSERT_EQ(QvsimCallLogCount(), static_cast<int>(expected.size()));
    for (int i = 0; i < QvsimCallLogCount(); ++i) {
        QvsimCall call{};
        ASSERT_EQ(QvsimCallLogAt(i, &call), 0);
        const Expected& e = expected[static_cast<std::size_t>(i)];
        EXPECT_STREQ(call.call, e.call) << i;
        EXPECT_EQ(call.id.objid, e.objid) << i;
        EXPECT_EQ(call.result != 0, e.failed) << i;
        EXPECT_EQ(call.value, e.value) << i;
    }
    QvsimCall call{};
    EXPECT_EQ(QvsimCallLogAt(static_cast<int>(expected.size()), &call), -1);

    QvsimCallLog(1);  // a new log starts empty
    EXPECT_EQ(QvsimCallLogCount(), 0);
    QvsimReset();
    EXPECT_EQ(QdgmRetLstRO(kQdgmRelPlanPrcs, &plan2, &count, &list), -1);
    EXPECT_EQ(QvsimCallLogCount(), 0);  // a reset stops it
}

}  // namespace
