// qvkdc, the command-line host, run as a program: its refusals and exit
// codes, the question before overwriting, and the tables it prints.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/HostFixture.h"
#include "support/RunQvkdc.h"

namespace {

class QvkdcCliTest : public HostTest {
 protected:
    void SetUp() override {
        HostTest::SetUp();
        Root().WriteTables(TableRoot::Example());
        std::filesystem::create_directory(Root().PathOf("out"));
        Root().WriteFile("model.json", R"({"plans": [
          {"id": [1, 0, 0, 1], "name": "First", "processes": [
            {"id": [11, 0, 0, 1], "type": 2411, "params": {"100": 7}}]},
          {"id": [4, 0, 0, 1], "machine": {"names": ["5AX", "CTL"]}, "processes": [
            {"id": [42, 0, 0, 1], "type": 2418}]},
          {"id": [5, 0, 0, 1], "processes": [{"id": [51, 0, 0, 1], "type": 2448}]}]})");
    }

    Ran Run(const std::vector<std::string>& args) { return RunQvkdc(Root(), args); }
    Ran Command(const char* command, std::vector<std::string> extra) {
        std::vector<std::string> args = {command, "--root", Root().PathOf("."), "--trace",
                                         Root().PathOf("trace.txt")};
        if (std::string(command) != "tables") {
            args.insert(args.end(), {"--model", Root().PathOf("model.json"), "--out", "out", "--name", "OUT"});
        }
        args.insert(args.end(), extra.begin(), extra.end());
        return Run(args);
    }
};

TEST_F(QvkdcCliTest, BadInputIsRefusedWithExitTwo) {
    Root().WriteFile("bad.json", R"({"plans": [{"id": [1, 2, 3]}]})");
    const struct { std::vector<std::string> args; const char* err; } cases[] = {
        {{"exists", "--model", Root().PathOf("bad.json"), "--out", "o"}, "bad.json: plans[0].id"},
        {{"exists", "--model", Root().PathOf("model.json"), "--out", "o", "--plans", "0,x"}, "--plans"},
        {{"exists", "--model", Root().PathOf("model.json"), "--out", "o", "--plans", "3"}, "--plans"},
        {{"export", "--model", Root().PathOf("model.json"), "--out", Root().PathOf("out"), "--trace-ids", "1,x", "--trace",
          Root().PathOf("t.txt")},
         "--trace-ids"},
        {{"export", "--model", Root().PathOf("model.json"), "--out", Root().PathOf("out"), "--trace-ids", "577685,-1",
          "--trace", Root().PathOf("t.txt")},
         "--trace-ids: -1 "},
        {{"exists", "--out", "o"}, "--model"},
        {{"export", "--model", Root().PathOf("model.json"), "--out", "o", "--name", "a\nb"},
         "--name: holds the control character 0x0A"},
        {{"check", "--model", Root().PathOf("model.json"), "--out", "o", "--name", "a\tb"},
         "--name: holds the control character 0x09"},
        {{"frobnicate"}, ""},
    };
    for (const auto& c : cases) {
        const Ran r = Run(c.args);
        EXPECT_EQ(r.exitCode, 2) << c.args[0] << " " << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
}

// A model file the loader cannot take is refused with one line that names
// the file, the place and what is wrong: also for numbers no double holds
// and for texts that hold line ends.
TEST_F(QvkdcCliTest, BadModelIsRefusedWithOneLine) {
    for (const char* model : {
             R"({"plans": [], "x": 1e999})",
             R"({"plans": [{"id": [1, 2, 3, 4], "processes": [{"id": [1, 1, 1, 1], "type": 2411,
                 "params": {"5": -1e999}}]}]})",
             R"({"plans": [{"id": [1e999, 2, 3, 4]}]})",
             R"({"plans": [{"id": [1, 2, 3, 4], "x": {"y": [-1E+999]}}]})",
             R"({"pl\nans": []})",
             R"({"plans": [{"id": [1, 2, 3, 4], "faults": ["Qdgm\r\nRetLstRO"]}]})",
         }) {
        const std::string path = Root().WriteFile("m.json", model);
        const Ran r = Run({"exists", "--model", path, "--out", "x"});
        EXPECT_EQ(r.exitCode, 2) << model;
        const std::string prefix = "qvkdc: " + path + ": ";
        EXPECT_EQ(r.err.rfind(prefix, 0), 0u) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
        EXPECT_NE(r.err.find(": ", prefix.size()), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
}

TEST_F(QvkdcCliTest, ExportAsksBeforeOverwriting) {
    const std::string first = "N,Mode,Z\n7,,\n";
    const std::string third = "N,Mode,Z\n,,\n";
    Ran r = Command("exists", {});
    EXPECT_EQ(r.exitCode, 0) << r.out;
    EXPECT_EQ(r.out, "status: 0\n");
    r = Command("export", {"--messages", Root().PathOf("messages.txt")});
    EXPECT_EQ(r.exitCode, 0) << r.out;
    EXPECT_EQ(r.out, "status: 0\n");
    EXPECT_EQ(Root().Files("out"), (std::set<std::string>{"OUT000.csv", "OUT002.csv"}));
    EXPECT_EQ(Root().ReadFile("out/OUT002.csv"), FileLines(third));
    EXPECT_EQ(Root().ReadFile("messages.txt"),
              std::string(kMsgTitleLine) + "\n5AX\tCTL\t" + kMsgRejectedText + "\n");
    std::string trace = Root().ReadFile("trace.txt");
    EXPECT_EQ(trace.find(">> ::QvkdcIsExistFile [577710]\n"), 0u) << trace;
    EXPECT_NE(trace.find(">> ::QvkdcCreOutputData [577685]\n"), std::string::npos) << trace;

    Root().WriteFile("out/OUT002.csv", "mine\n");
    std::filesystem::remove(Root().PathOf("out/OUT000.csv"));
    r = Command("exists", {});
    EXPECT_EQ(r.out, "status: 1\n");
    EXPECT_EQ(Command("exists", {"--plans", ""}).out, "status: 0\n");  // no plans, no file
    r = Command("export", {});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_NE(r.err.find("--overwrite"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "status: 1\n");
    EXPECT_EQ(Root().Files("out"), std::set<std::string>{"OUT002.csv"});
    EXPECT_EQ(Root().ReadFile("out/OUT002.csv"), "mine\n");
    EXPECT_EQ(Root().ReadFile("trace.txt").find("QvkdcCreOutputData"), std::string::npos);

    r = Command("export", {"--overwrite"});
    EXPECT_EQ(r.exitCode, 0) << r.out;
    EXPECT_EQ(Root().ReadFile("out/OUT000.csv"), FileLines(first));
    EXPECT_EQ(Root().ReadFile("out/OUT002.csv"), FileLines(third));
    trace = Root().ReadFile("trace.txt");
    EXPECT_EQ(trace.find(">> ::QvkdcCreOutputData [577685]\n"), 0u) << trace;
    EXPECT_EQ(trace.find("QvkdcIsExistFile"), std::string::npos) << trace;
}

TEST_F(QvkdcCliTest, TablesPrintsBothTablesOrWhyNot) {
    Root().WriteOptionFile("Extra\n");
    // Every code with its keyword or meaning; every row with the header's
    // fields.
    const std::string dumps =
        "ColFlg\tItName\tExName\tPrmKey\tPriority\tValType\tSubType\tIsBlank\tIsRepeat\n"
        "1 (PlanCSVTable)\titemN\tN\t100\t1\t65 (Integer)\t65 (Integer)\t0\t0\n"
        "1 (PlanCSVTable)\titemMode\tMode\t200\t2\t1003 (Select)\t0 (none)\t0\t0\n"
        "1 (PlanCSVTable)\titemZ\tZ\t300\t3\t1002 (String)\t0 (none)\t0\t0\n"
        "2 (rc_pln2usr.ini)\titemX\tExtra\t400\t9\t1001 (Real)\t0 (none)\t1 (o)\t1 (o)\n"
        "\n"
        "ColItName\tSlctItName\tSlctExName\tSlctVal\n"
        "itemMode\tselAB\ta,b\t1\n"
        "itemMode\tselOff\toff\t0\n";
    Ran r = Command("tables", {});
    EXPECT_EQ(r.exitCode, 0) << r.out;
    EXPECT_EQ(r.out, dumps + "status: 0\n");
    EXPECT_EQ(Root().ReadFile("trace.txt").find(">> CQvkdcCnvTblCtrl::ImpCnvTbl [577686]\n"), 0u);

    Root().RemoveTable("VariableTable");
    r = Command("tables", {});
    EXPECT_EQ(r.exitCode, 1) << r.out;
    EXPECT_NE(r.err.find("imported"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("status: -1\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("ColFlg"), std::string::npos) << r.out;
    EXPECT_EQ(Root().ReadFile("trace.txt").find("CreColTbl"), std::string::npos);
}

}  // namespace

namespace {

TEST_F(QvkdcCliTest, DiffTellsWhatTheTablesChangeInTheFilesOfAFolder) {
    ASSERT_EQ(Command("export", {"--overwrite", "--quiet"}).exitCode, 0);
    // Texts read in a code page of one byte a character; the report is UTF-8.
    const std::vector<std::string> diff = {"diff", "--root", Root().PathOf("."), "--model", Root().PathOf("model.json"),
                                           "--out", "out", "--name", "OUT", "--encoding", "windows-1252"};
    Ran r = Run(diff);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "no change\n");

    // Against the files alone, a column is known by its title, or by its
    // cells once renamed.
    TableRoot::Tables t = TableRoot::Example();
    t.exterior[0][0] = "Number";
    Root().WriteTables(t);
    r = Run(diff);
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_NE(r.out.find("\"OUT000.csv\": changed\n  column renamed: \"N\" \xE2\x86\x92 \"Number\"\n"),
              std::string::npos)
        << r.out;
    t = TableRoot::Example();
    t.processParameters[0][1] = "101";
    Root().WriteTables(t);
    r = Run(diff);
    EXPECT_EQ(r.exitCode, 1) << r.err;
    for (const char* told : {"\"7\" \xE2\x86\x92 \"\" emptied: the process holds no value under the key 101",
                             "cells: 1 changed, 1 emptied\n"}) {
        EXPECT_NE(r.out.find(told), std::string::npos) << told << "\n" << r.out;
    }

    std::vector<std::string> nowhere = diff;
    nowhere[6] = "no-such-folder";
    r = Run(nowhere);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("no-such-folder: not a folder"), std::string::npos) << r.err;

    std::vector<std::string> page = diff;
    page.back() = "no-such-page";
    r = Run(page);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("qvkdc diff: --encoding: "), std::string::npos) << r.err;

    std::vector<std::string> both = diff;
    both.insert(both.end(), {"--base", Root().PathOf(".")});
    r = Run(both);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("--base OLD (a table set) or --out DIR"), std::string::npos) << r.err;
}

}  // namespace
