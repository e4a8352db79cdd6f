#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "host/Qdgm.h"
#include "host/Qvlbu.h"
#include "host/Qvptf.h"
#include "support/HostFixture.h"

namespace {

constexpr ModelId kPlanA = {1, 0, 0, 1};
constexpr ModelId kPlanB = {2, 0, 0, 2};
constexpr ModelId kPlanC = {3, 0, 0, 3};
constexpr ModelId kRough = {1, 0, 0, 11};
constexpr ModelId kFinish = {1, 0, 0, 12};
constexpr ModelId kUnknown = {7, 7, 7, 7};

bool Same(const ModelId& a, const ModelId& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

class HostModelDb : public HostTest {
 protected:
    void SetUp() override {
        HostTest::SetUp();
        char err[256];
        ASSERT_EQ(QvsimLoadModelFile(QVKDC_SOURCE_DIR "/tests/hostsim/model.json", err,
                                     sizeof err),
                  0)
            << err;
    }

    static std::string Name(const ModelId& id, int* result) {
        char name[kQdgmNameSize];
        std::strcpy(name, "#");
        *result = QdgmRetIdnamLN(&id, name);
        return name;
    }
};

TEST_F(HostModelDb, ProcessListsHoldTheProcessesInFileOrder) {
    int count = -1;
    ModelId* list = nullptr;
    ASSERT_EQ(QdgmRetLstRO(kQdgmRelPlanPrcs, &kPlanA, &count, &list), 0);
    ASSERT_EQ(count, 2);
    EXPECT_TRUE(Same(list[0], kRough));
    EXPECT_TRUE(Same(list[1], kFinish));
    EXPECT_EQ(QvsimHeldBlocks(), 1);
    QmemFreId(list);

    list = nullptr;
    ASSERT_EQ(QdgmRetLstRO(kQdgmRelPlanPrcs, &kPlanB, &count, &list), 0);
    EXPECT_EQ(count, 0);
    ASSERT_NE(list, nullptr) << "an empty list is still a block to give back";
    EXPECT_EQ(QvsimHeldBlocks(), 1);
    QmemFreId(list);

    for (const ModelId* plan : {&kPlanC, &kUnknown, &kRough}) {
        list = nullptr;
        EXPECT_LT(QdgmRetLstRO(kQdgmRelPlanPrcs, plan, &count, &list), 0);
        EXPECT_EQ(list, nullptr);
    }
    EXPECT_LT(QdgmRetLstRO(101, &kPlanA, &count, &list), 0);
}

TEST_F(HostModelDb, TypesAndRecordsWithAndWithoutTool) {
    int unused = 0;
    int type = 0;
    ASSERT_EQ(QdgmInqNctyp(&kRough, &unused, &type), 0);
    EXPECT_EQ(type, 2411);
    ASSERT_EQ(QdgmInqNctyp(&kFinish, &unused, &type), 0);
    EXPECT_EQ(type, 2502);
    EXPECT_NE(QdgmInqNctyp(&kPlanA, &unused, &type), 0);

    QdgmPrcsRec* rough = nullptr;
    QdgmPrcsRec* finish = nullptr;
    ASSERT_EQ(QdgmGetPrcs(0, &kRough, &rough), 0);
    ASSERT_EQ(QdgmGetPrcs(0, &kFinish, &finish), 0);
    EXPECT_EQ(rough->nctyp, 2411);
    ASSERT_NE(rough->tool, nullptr);
    EXPECT_EQ(rough->tool->toolType, 7);
    EXPECT_EQ(rough->tool->state, 1);
    EXPECT_STREQ(rough->tool->name, "EM10");
    EXPECT_EQ(finish->nctyp, 2502);
    EXPECT_EQ(finish->tool, nullptr);
    EXPECT_EQ(QvsimHeldBlocks(), 2) << "record and tool record are one block";
    QmemFrePrcs(rough);
    QmemFrePrcs(finish);
    EXPECT_NE(QdgmGetPrcs(0, &kUnknown, &rough), 0);
}

TEST_F(HostModelDb, NamesOfPlansAndProcessesAsStoredCutAt127) {
    int r = 0;
    EXPECT_EQ(Name(kPlanA, &r), " Plan A ");
    EXPECT_EQ(r, 0);
    EXPECT_EQ(Name(kRough, &r), "  Rough  ");
    EXPECT_EQ(Name(kPlanB, &r), "Plan B");
    EXPECT_EQ(Name(kUnknown, &r), "#");
    EXPECT_LT(r, 0);

    const std::string longName(200, 'n');
    LoadModel(R"({"plans": [{"id": [1, 0, 0, 1], "name": ")" + longName + R"("}]})");
    EXPECT_EQ(Name(kPlanA, &r), longName.substr(0, 127));
}

TEST_F(HostModelDb, OwningPlanOfAProcess) {
    int unused = 0;
    int capacity = 1;
    ModelId owner{};
    ASSERT_EQ(QdgmRetLstRM(kQdgmRelPlanPrcs, &kRough, &unused, &capacity, &owner), 0);
    EXPECT_EQ(capacity, 1);
    EXPECT_TRUE(Same(owner, kPlanA));

    capacity = 1;
    EXPECT_EQ(QdgmRetLstRM(kQdgmRelPlanPrcs, &kUnknown, &unused, &capacity, &owner), 0);
    EXPECT_EQ(capacity, 0) << "no owner: capacity 0";
    capacity = 1;
    EXPECT_LT(QdgmRetLstRM(kQdgmRelPlanPrcs, &kFinish, &unused, &capacity, &owner), 0)
        << "model fault";
}

TEST_F(HostModelDb, ParametersOfEveryValueKind) {
    QdgmPrcsRec* rec = nullptr;
    ASSERT_EQ(QdgmGetPrcs(0, &kRough, &rec), 0);
    enum class Want { kNone, kInt, kDouble, kText };
    struct Case {
        int key;
        int status;
        Want want;
        int i;
        double d;
        const char* text;
    };
    const Case cases[] = {
        {1323, 0, Want::kInt, 0, 0, nullptr},
        {-7, 0, Want::kInt, -5, 0, nullptr},
        {1122, 0, Want::kDouble, 0, 2.5, nullptr},
        {1274, 0, Want::kDouble, 0, 1000.0, nullptr},
        {200, 0, Want::kText, 0, 0, "a, \"b\""},
        {201, 0, Want::kNone, 0, 0, nullptr},
        {202, 1, Want::kNone, 0, 0, nullptr},
        {999, 0, Want::kNone, 0, 0, nullptr},
    };
    for (const Case& c : cases) {
        int key = c.key;
        void* value = nullptr;
        int status = 99;
        QvlbpPrcInqPrm(&rec, &key, &value, &status);
        EXPECT_EQ(status, c.status) << c.key;
        switch (c.want) {
            case Want::kNone: EXPECT_EQ(value, nullptr) << c.key; break;
            case Want::kInt: {
                ASSERT_NE(value, nullptr) << c.key;
                EXPECT_EQ(*static_cast<int*>(value), c.i);
                double wide;  // reading 8 bytes from an int value stays in bounds
                std::memcpy(&wide, value, sizeof wide);
                int32_t upper;
                std::memcpy(&upper, static_cast<char*>(value) + 4, sizeof upper);
                EXPECT_EQ(upper, 0) << "ints are zero-padded to 8 bytes";
                break;
            }
            case Want::kDouble:
                ASSERT_NE(value, nullptr) << c.key;
                EXPECT_EQ(reinterpret_cast<uintptr_t>(value) % 8, 0u);
                EXPECT_EQ(*static_cast<double*>(value), c.d);
                break;
            case Want::kText:
                ASSERT_NE(value, nullptr) << c.key;
                EXPECT_STREQ(static_cast<char*>(value), c.text);
                break;
        }
    }

    QdgmPrcsRec* stale = rec;
    QmemFrePrcs(rec);
    int key = 1323;
    void* value = nullptr;
    int status = 0;
    QvlbpPrcInqPrm(&stale, &key, &value, &status);
    EXPECT_EQ(status, -1) << "a record given back is not known";
    EXPECT_EQ(value, nullptr);
}

TEST_F(HostModelDb, ToolTextsByToolName) {
    struct Case {
        const char* tool;
        int status;
        const char* text;
    };
    const Case cases[] = {
        {"EM10", 0, "End mill 10"},
        {"BROKEN", -3, "#"},
        {"NONE", 0, ""},
    };
    for (const Case& c : cases) {
        char tool[kQvptfToolNameSize] = {};
        std::strcpy(tool, c.tool);
        char text[kQvptfTextSize] = "#";
        int one = 1;
        int status = 0;
        QvptfInqLnN(&one, tool, text, &status);
        EXPECT_EQ(status, c.status) << c.tool;
        EXPECT_STREQ(text, c.text) << c.tool;
    }
}

TEST_F(HostModelDb, MachineNamesAndCandidateTools) {
    int64_t unused = 0;
    QvlbuMaId maid{};
    int st = -1;
    QvlbuGetMaId(&kPlanA, &unused, &maid, &st);
    ASSERT_EQ(st, 0);
    char name1[kQvlbuMachineNameSize] = {};
    char name2[kQvlbuMachineNameSize] = {};
    QvlbuMagMcaLNF(&maid, name1, name2, &st);
    EXPECT_STREQ(name1, "M-500");
    EXPECT_STREQ(name2, "CTL-9");
    QvlbuGetMaId(&kPlanB, &unused, &maid, &st);
    EXPECT_EQ(st, 1);

    char tools[5][kQvlbuCanToolSize];
    std::memset(tools, 'x', sizeof tools);
    int zero = 0;
    QvlbuGetCanTool(&kRough, &zero, tools[0], tools[1], tools[2], tools[3], tools[4]);
    const char* expected[5] = {"EM10", "", "DR5", "", ""};
    for (int i = 0; i < 5; ++i) EXPECT_STREQ(tools[i], expected[i]) << i;

    const std::string longTool(40, 't');
    LoadModel(R"({"plans": [{"id": [1, 0, 0, 1], "processes": [{"id": [1, 0, 0, 11], "type": 1,
                 "candidateTools": [")" + longTool + R"("]}]}]})");
    QvlbuGetCanTool(&kRough, &zero, tools[0], tools[1], tools[2], tools[3], tools[4]);
    EXPECT_EQ(std::string(tools[0]), longTool.substr(0, 31));
}

TEST_F(HostModelDb, HeldBlocksSurviveResetAndBadFreesAreCountedNotFreed) {
    int count = 0;
    ModelId* list = nullptr;
    QdgmPrcsRec* rec = nullptr;
    ASSERT_EQ(QdgmRetLstRO(kQdgmRelPlanPrcs, &kPlanA, &count, &list), 0);
    ASSERT_EQ(QdgmGetPrcs(0, &kRough, &rec), 0);
    EXPECT_EQ(QvsimHeldBlocks(), 2);
    QvsimReset();
    EXPECT_EQ(QvsimHeldBlocks(), 2);

    ModelId local{};
    QmemFreId(&local);                            // never handed out
    QmemFreId(reinterpret_cast<ModelId*>(rec));  // a record is not a list
    QmemFreId(nullptr);                          // ignored
    QmemFrePrcs(nullptr);                        // ignored
    EXPECT_EQ(QvsimBadFrees(), 2);
    EXPECT_EQ(QvsimHeldBlocks(), 2);

    QmemFreId(list);
    QmemFrePrcs(rec);
    EXPECT_EQ(QvsimHeldBlocks(), 0);
    QmemFreId(list);
    QmemFrePrcs(rec);
    EXPECT_EQ(QvsimBadFrees(), 4) << "given back twice";
    EXPECT_EQ(QvsimCallCount("QmemFreId"), 5);
    QvsimReset();  // the bad frees were made on purpose
}

// Calls `call` once with valid arguments; true when it reported failure.
bool Fails(const std::string& call) {
    int count = 0;
    int unused = 0;
    int type = 0;
    if (call == "QdgmRetLstRO") {
        ModelId* list = nullptr;
        const int r = QdgmRetLstRO(kQdgmRelPlanPrcs, &kPlanA, &count, &list);
        QmemFreId(list);
        return r < 0;
    }
    if (call == "QdgmInqNctyp") return QdgmInqNctyp(&kRough, &unused, &type) != 0;
    if (call == "QdgmGetPrcs") {
        QdgmPrcsRec* rec = nullptr;
        const int r = QdgmGetPrcs(0, &kRough, &rec);
        QmemFrePrcs(rec);
        return r != 0;
    }
    if (call == "QdgmRetIdnamLN") {
        char name[kQdgmNameSize];
        return QdgmRetIdnamLN(&kRough, name) < 0;
    }
    if (call == "QdgmRetLstRM") {
        int capacity = 1;
        ModelId owner{};
        return QdgmRetLstRM(kQdgmRelPlanPrcs, &kRough, &unused, &capacity, &owner) < 0 ||
               capacity == 0;
    }
    if (call == "QvlbpPrcInqPrm") {
        QdgmPrcsRec* rec = nullptr;
        QdgmGetPrcs(0, &kRough, &rec);
        int key = 1323;
        void* value = nullptr;
        int status = 0;
        QvlbpPrcInqPrm(&rec, &key, &value, &status);
        QmemFrePrcs(rec);
        return status == -1 && value == nullptr;
    }
    char tool[kQvptfToolNameSize] = "EM10";
    char text[kQvptfTextSize] = "";
    int one = 1;
    int status = 0;
    QvptfInqLnN(&one, tool, text, &status);
    return status == -1 && text[0] == '\0';
}

TEST_F(HostModelDb, FailCallFailsExactlyTheNthCallFromNow) {
    const char* calls[] = {"QdgmRetLstRO",   "QdgmInqNctyp",   "QdgmGetPrcs", "QdgmRetIdnamLN",
                           "QdgmRetLstRM",   "QvlbpPrcInqPrm", "QvptfInqLnN"};
    for (const char* call : calls) {
        EXPECT_FALSE(Fails(call)) << call;
        ASSERT_EQ(QvsimFailCall(call, 2), 0) << call;
        EXPECT_FALSE(Fails(call)) << call;
        EXPECT_TRUE(Fails(call)) << call;
        EXPECT_FALSE(Fails(call)) << call << ": the failure is used up";
        EXPECT_EQ(QvsimCallCount(call), 4) << call;

        ASSERT_EQ(QvsimFailCall(call, 1), 0);
        ASSERT_EQ(QvsimFailCall(call, 0), 0);
        EXPECT_FALSE(Fails(call)) << call << ": cleared";
    }
    EXPECT_EQ(QvsimFailCall("ReadTable", 1), 0);
    EXPECT_EQ(QvsimFailCall("QmemFreId", 1), -1) << "cannot fail";
    EXPECT_EQ(QvsimFailCall("NoSuchCall", 1), -1);
    EXPECT_EQ(QvsimFailCall("QdgmGetPrcs", -1), -1);
    EXPECT_EQ(QvsimCallCount("NoSuchCall"), 0);

    QvsimFailCall("QdgmGetPrcs", 1);
    QvsimReset();
    LoadModel(R"({"plans": [{"id": [1, 0, 0, 1], "processes": [{"id": [1, 0, 0, 11], "type": 1}]}]})");
    EXPECT_FALSE(Fails("QdgmGetPrcs")) << "reset disarms";
    EXPECT_EQ(QvsimCallCount("QdgmGetPrcs"), 1);
}

TEST_F(HostModelDb, ModelFaultsFailEveryCallForThatObjectOnly) {
    int r = 0;
    Name(kPlanC, &r);
    EXPECT_LT(r, 0);
    Name(kPlanC, &r);
    EXPECT_LT(r, 0);
    Name(kPlanB, &r);
    EXPECT_EQ(r, 0);

    LoadModel(R"({"plans": [{"id": [1, 0, 0, 1], "processes": [
        {"id": [1, 0, 0, 11], "type": 1, "params": {"5": 1}, "faults": ["QvlbpPrcInqPrm", "QdgmInqNctyp"]},
        {"id": [1, 0, 0, 12], "type": 2, "params": {"5": 1}}]}]})");
    int unused = 0;
    int type = 0;
    EXPECT_NE(QdgmInqNctyp(&kRough, &unused, &type), 0);
    EXPECT_EQ(QdgmInqNctyp(&kFinish, &unused, &type), 0);
    for (const ModelId* prcs : {&kRough, &kFinish}) {
        QdgmPrcsRec* rec = nullptr;
        ASSERT_EQ(QdgmGetPrcs(0, prcs, &rec), 0);
        int key = 5;
        void* value = nullptr;
        int status = 0;
        QvlbpPrcInqPrm(&rec, &key, &value, &status);
        EXPECT_EQ(status, prcs == &kRough ? -1 : 0);
        QmemFrePrcs(rec);
    }
}

}  // namespace
