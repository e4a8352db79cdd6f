// What the stand-in host does beyond answering the library's calls the way
// the library's own tests see: its message list, its trace file, its table
// file format, its failures on demand, its model file checks and its record
// of misused calls.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "host/Qdgm.h"
#include "host/Qvlbw.h"
#include "host/Qvmsg.h"
#include "host/Zrl.h"
#include "support/HostFixture.h"

namespace {

const TraceRecord kOuter = {577685, "::QvkdcCreOutputData"};

using HostSim = HostTest;

TEST_F(HostSim, MessageManagerKeepsTitleAndLinesUntilTheNextInit) {
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
    EXPECT_EQ(Messages(), (std::vector<std::string>{"M-500\tCTL-9\tPlan rejected.", "-\t-\tno kind"}));
    EXPECT_EQ(QvsimMsgKindAt(0), 3);
    EXPECT_EQ(QvsimMsgKindAt(1), -1);
    EXPECT_EQ(QvsimMsgAt(2), nullptr);
    EXPECT_EQ(QvsimMsgAt(-1), nullptr);
    QvmsgMgrInit();
    EXPECT_EQ(QvsimMsgTitle(), nullptr);
    EXPECT_EQ(QvsimMsgCount(), 0);
    EXPECT_EQ(QvsimMsgInitCount(), 2);
}

TEST_F(HostSim, TraceFileGetsEveryLineAsWritten) {
    const int32_t values[2] = {255, -1};
    ZrlSnp("dump", "%d", values, 2, 4);  // in the call's own format
    ZrlSnp("dump", "%x", values, 2, 4);
    EXPECT_STREQ(QvsimTraceText(), "dump = 255 -1\ndump = ff ffffffff\n");
    QvsimTraceClear();
    const std::string path = Root().PathOf("trace.txt");
    ASSERT_EQ(QvsimTraceFile(path.c_str()), 0);
    ZrlStkLvlInc();
    ZrlInt(&kOuter);
    ZrlChr("[INF] : note");
    EXPECT_EQ(Root().ReadFile("trace.txt"), ">> ::QvkdcCreOutputData [577685]\n[INF] : note\n");
    EXPECT_EQ(Root().ReadFile("trace.txt"), QvsimTraceText());
    ZrlStkLvlDec();
    EXPECT_EQ(QvsimTraceFile(Root().PathOf("no/such/dir/t.txt").c_str()), -1);
    QvsimTraceFile(nullptr);
}

// The exit trace call takes 1 as its first argument, the process record's
// call 0; any other value is a host error, kept until the next reset.
TEST_F(HostSim, ArgumentsTheHostDoesNotTakeAreHostErrors) {
    ZrlTrceMk(1, kOuter.name, kOuter.id);
    EXPECT_STREQ(QvsimHostErrors(), "");
    ZrlTrceMk(0, kOuter.name, kOuter.id);
    ZrlTrceMk(2, "f", 7);
    const ModelId none = {};
    QdgmPrcsRec* rec = nullptr;
    QdgmGetPrcs(1, &none, &rec);
    EXPECT_STREQ(QvsimHostErrors(),
                 "ZrlTrceMk: kind 0, expected 1, at << ::QvkdcCreOutputData [577685]\n"
                 "ZrlTrceMk: kind 2, expected 1, at << f [7]\n"
                 "QdgmGetPrcs: first argument 1, expected 0\n");
    EXPECT_EQ(std::string(QvsimTraceText()),
              "<< ::QvkdcCreOutputData [577685]\n<< ::QvkdcCreOutputData [577685]\n<< f [7]\n");
    QvsimReset();
    EXPECT_STREQ(QvsimHostErrors(), "");
}

TEST_F(HostSim, TableReaderReadsRowsAsSpreadsheetsSaveThem) {
    using Rows = std::vector<std::vector<std::string>>;
    const struct { const char* name; std::string bytes; Rows rows; } cases[] = {
        {"lf", "a\tb\nc\td\n", {{"a", "b"}, {"c", "d"}}},
        {"crlf, last line without end", "a\tb\r\nc", {{"a", "b"}, {"c"}}},
        {"bom at start skipped", "\xEF\xBB\xBF" "a\tb\n", {{"a", "b"}}},
        {"bom elsewhere kept", "a\n\xEF\xBB\xBF" "b\n", {{"a"}, {"\xEF\xBB\xBF" "b"}}},
        {"empty lines skipped", "\n\r\na\n\n\r\n\nb\n\n", {{"a"}, {"b"}}},
        {"empty cells and trailing tab", "\t\t\nx\t\r\n", {{"", "", ""}, {"x", ""}}},
        {"blank line is a row", " \n", {{" "}}},
        {"quoted tab, line break, doubled quote",
         "\"x\ty\"\t\"l1\r\nl2\"\t\"say \"\"hi\"\"\"\r\nnext\r\n",
         {{"x\ty", "l1\r\nl2", "say \"hi\""}, {"next"}}},
        {"quoted empty and quoted only quote", "\"\"\t\"\"\"\"\n", {{"", "\""}}},
        {"quoted cell ends the file", "a\t\"b\nc\"", {{"a", "b\nc"}}},
        {"quoted cell keeps its CR", "\"a\r\"\r\n", {{"a\r"}}},
        {"text after closing quote kept", "\"ab\"cd\te\n", {{"abcd", "e"}}},
        {"quote inside a cell is text", "a\"b\tc\"\n", {{"a\"b", "c\""}}},
        {"unterminated quote is text", "x\t\"abc\r\ny\n", {{"x", "\"abc"}, {"y"}}},
        {"lone CR ends a line", "a\rb\n", {{"a"}, {"b"}}},
        {"empty file", "", {}},
    };
    CQvlbwTableA table;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(table.ReadTable(Root().WriteFile("t.tsv", c.bytes).c_str()), 0);
        Rows rows;
        CQvlbwStringArray row;
        table.MoveFirst();
        while (table.GetNextRow(&row) != 0) {
            rows.emplace_back();
            for (int i = 0; i < row.GetSize(); ++i) rows.back().emplace_back(row.GetAt(i));
        }
        EXPECT_EQ(rows, c.rows);
        EXPECT_EQ(table.GetRowCount(), static_cast<int>(c.rows.size()));
    }
}

// A call armed to fail fails once, at its nth call from then on, with its
// outputs left as they were; clearing or a reset disarms it.
TEST_F(HostSim, FailCallFailsExactlyTheNthCallFromNow) {
    const char* const kModel = R"({"plans": [{"id": [1, 0, 0, 1], "processes": []}]})";
    LoadModel(kModel);
    const ModelId plan = {1, 0, 0, 1};
    auto fails = [&plan] {
        int count = -1;
        ModelId* list = nullptr;
        const bool failed = QdgmRetLstRO(kQdgmRelPlanPrcs, &plan, &count, &list) < 0 && !list && count == -1;
        QmemFreId(list);
        return failed;
    };
    EXPECT_FALSE(fails());
    ASSERT_EQ(QvsimFailCall("QdgmRetLstRO", 2), 0);
    EXPECT_FALSE(fails());
    EXPECT_TRUE(fails());
    EXPECT_FALSE(fails()) << "the failure is used up";
    EXPECT_EQ(QvsimCallCount("QdgmRetLstRO"), 4);
    ASSERT_EQ(QvsimFailCall("QdgmRetLstRO", 1), 0);
    ASSERT_EQ(QvsimFailCall("QdgmRetLstRO", 0), 0);
    EXPECT_FALSE(fails()) << "cleared";
    QvsimFailCall("QdgmRetLstRO", 1);
    QvsimReset();
    LoadModel(kModel);
    EXPECT_FALSE(fails()) << "reset disarms";
    EXPECT_EQ(QvsimCallCount("QdgmRetLstRO"), 1);
    const struct { const char* call; int nth, result; } arms[] = {
        {"ReadTable", 1, 0}, {"QmemFreId", 1, -1}, {"NoSuchCall", 1, -1}, {"QdgmGetPrcs", -1, -1}};
    for (const auto& a : arms) EXPECT_EQ(QvsimFailCall(a.call, a.nth), a.result) << a.call;
    EXPECT_EQ(QvsimCallCount("NoSuchCall"), 0);
    QvsimFailCall("ReadTable", 0);
    // The plan of a process the model does not have: result 0, no plan.
    int unused = 0, capacity = 1;
    ModelId owner{};
    EXPECT_EQ(QdgmRetLstRM(kQdgmRelPlanPrcs, &plan, &unused, &capacity, &owner), 0);
    EXPECT_EQ(capacity, 0);
}

// A plan whose single process is `process`.
std::string WithProcess(const std::string& process) {
    return R"({"plans": [{"id": [1, 0, 0, 1], "processes": [)" + process + "]}]}";
}

TEST_F(HostSim, ModelFileIsRefusedWithOneLineAndThePreviousModelStays) {
    const std::string longName(64, 'T');
    const struct { std::string json; std::string error; } cases[] = {
        {"[1, 2", "m.json: not JSON: parse error at line 1, column 6"},
        {"[]", "m.json: expected an object"},
        {R"({"toolTexts": {}})", "m.json: plans: missing"},
        {R"({"plans": {}})", "m.json: plans: expected a list of plans"},
        {R"({"plans": [], "extra": 1})", "m.json: extra: unknown field"},
        {R"({"plans": [{"id": [1, 0, 0]}]})", "m.json: plans[0].id: expected four ints"},
        {R"({"plans": [{"id": [1, 0, 0, 1.5]}]})", "m.json: plans[0].id: expected four ints"},
        {R"({"plans": [{"id": [1, 0, 0, 4294967296]}]})", "m.json: plans[0].id[3]: int out of range"},
        {R"({"plans": [{"id": [1, 0, 0, 18446744073709551616]}]})", "m.json: plans[0].id[3]: int out of range"},
        {R"({"plans": [{"id": [1, 0, 0, 1], "name": "ok\u0000/../x"}]})",
         "m.json: plans[0].name: a NUL character inside the text"},
        {WithProcess(R"({"id": [1, 0, 0, 2], "type": 1, "params": {"1": -99999999999999999999}})"),
         "m.json: plans[0].processes[0].params.1: int out of range"},
        {R"({"plans": [{"id": [1, 0, 0, 1], "name": 5}]})", "m.json: plans[0].name: expected a text"},
        {R"({"plans": [{"id": [1, 0, 0, 1], "machine": {"names": ["a"]}}]})",
         "m.json: plans[0].machine.names: expected two texts"},
        {R"({"plans": [{"id": [1, 0, 0, 1]}, {"id": [1, 0, 0, 1]}]})",
         "m.json: plans[1].id: duplicate id 1 0 0 1"},
        {WithProcess(R"({"id": [1, 0, 0, 1], "type": 2411})"),
         "m.json: plans[0].processes[0].id: duplicate id 1 0 0 1"},
        {WithProcess(R"({"id": [1, 0, 0, 2], "type": "2411"})"),
         "m.json: plans[0].processes[0].type: expected an int"},
        {WithProcess(R"({"id": [1, 0, 0, 2], "type": 1, "candidateTools": ["a","b","c","d","e","f"]})"),
         "m.json: plans[0].processes[0].candidateTools: more than 5 tools"},
        {WithProcess(R"({"id": [1, 0, 0, 2], "type": 1, "tool": {"type": 1, "state": 1, "name": ")" +
                     longName + R"("}})"),
         "m.json: plans[0].processes[0].tool.name: longer than 63 bytes"},
        {WithProcess(R"({"id": [1, 0, 0, 2], "type": 1, "params": {"k1": 1}})"),
         "m.json: plans[0].processes[0].params.k1: expected an int key"},
        {WithProcess(R"({"id": [1, 0, 0, 2], "type": 1, "params": {"1": [1]}})"),
         "m.json: plans[0].processes[0].params.1: expected an int, a number, a text, null or "
         "{\"status\": N}"},
        {WithProcess(R"({"id": [1, 0, 0, 2], "type": 1, "faults": ["QdgmRetLstRO"]})"),
         "m.json: plans[0].processes[0].faults[0]: \"QdgmRetLstRO\" cannot fail for a process"},
        {R"({"plans": [{"id": [1, 0, 0, 1], "faults": ["QdgmFoo"]}]})",
         "m.json: plans[0].faults[0]: unknown host call \"QdgmFoo\""},
        {R"({"plans": [{"id": [1, 0, 0, 1], "faults": ["QmemFreId"]}]})",
         "m.json: plans[0].faults[0]: unknown host call \"QmemFreId\""},
        {R"({"plans": [], "toolTexts": {"T": 3}})", "m.json: toolTexts.T: expected a text or {\"status\": N}"},
        {R"({"encoding": "no-such-page", "plans": []})", "m.json: encoding: unknown code page \"no-such-page\""},
        {R"({"plans": [], "encoding": "shift_jis"})", "m.json: encoding: must come before the other members"},
        {R"({"encoding": "windows-1252", "plans": [{"id": [1, 0, 0, 1], "name": "\u8868"}]})",
         "m.json: plans[0].name: a character that code page windows-1252 has not"},
    };
    LoadModel(R"({"plans": [{"id": [9, 9, 9, 9]}]})");
    for (const auto& c : cases) {
        char err[512] = "unset";
        EXPECT_EQ(QvsimLoadModelText(c.json.c_str(), "m.json", err, sizeof err), -1) << c.json;
        const std::string got = err;
        EXPECT_EQ(got.substr(0, c.error.size()), c.error) << c.json;
        EXPECT_EQ(got.find('\n'), std::string::npos) << got;
        ModelId id{};
        EXPECT_EQ(QvsimPlanCount(), 1) << c.json;
        EXPECT_EQ(QvsimPlanId(0, &id), 0);
        EXPECT_EQ(id.objid, 9) << "the previous model stays after " << c.json;
    }
    char small[8];  // the reason is cut to the buffer
    EXPECT_EQ(QvsimLoadModelFile(Root().PathOf("missing.json").c_str(), small, sizeof small), -1);
    EXPECT_EQ(std::string(small), Root().PathOf("missing.json").substr(0, 7));
}

}  // namespace
