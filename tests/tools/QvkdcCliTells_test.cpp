// What qvkdc tells, end to end: one row per behaviour, from the command line
// to the exit code, what stderr says (fragments, in order), the last line on
// stdout and the files in the output folder afterwards.
#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <memory>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "examine/FileSystem.h"
#include "qvkdc/qvkdc.h"
#include "support/HostFixture.h"
#include "support/RunQvkdc.h"

namespace fs = std::filesystem;

namespace {

// 0: two rows; 1: an empty process list; 2: no process data; 3: rejected by
// its second process; 4: one row; 5: the model database fails at its
// process; 6: its name cannot be read; 7: a parameter cannot be read; 8: a
// name with a line end.
const char kModel[] = R"({"plans": [
  {"id": [1, 0, 0, 1], "name": "First", "processes": [
    {"id": [11, 0, 0, 1], "type": 2411, "params": {"100": 7, "200": 1, "300": "z"}},
    {"id": [12, 0, 0, 1], "type": 2502, "params": {"100": -3, "200": 0}}]},
  {"id": [2, 0, 0, 1], "name": "Second", "processes": []},
  {"id": [3, 0, 0, 1], "name": "Third"},
  {"id": [4, 0, 0, 1], "name": "Fourth", "machine": {"names": ["5AX", "CTL"]}, "processes": [
    {"id": [41, 0, 0, 1], "type": 2411, "params": {"100": 1}},
    {"id": [42, 0, 0, 1], "type": 2418, "name": "Tap"}]},
  {"id": [5, 0, 0, 1], "name": "Fifth", "processes": [
    {"id": [51, 0, 0, 1], "type": 2448, "params": {"100": 5}}]},
  {"id": [6, 0, 0, 1], "name": "Broken", "processes": [
    {"id": [61, 0, 0, 1], "type": 2411, "name": "Bad", "faults": ["QdgmInqNctyp"]}]},
  {"id": [7, 0, 0, 1], "name": "Nameless", "faults": ["QdgmRetIdnamLN"]},
  {"id": [8, 0, 0, 1], "name": "Unreadable", "processes": [
    {"id": [81, 0, 0, 1], "type": 2411, "name": "Odd", "faults": ["QvlbpPrcInqPrm"]}]},
  {"id": [9, 0, 0, 1], "name": "Two\nlines", "processes": [{"id": [91, 0, 0, 1], "type": 2411}]}]})";

using Setup = void (*)(const TableRoot&);

struct Row {
    const char* what;
    std::vector<std::string> args;  // {root} and {model} are replaced
    Setup setup;
    int exitCode;
    std::vector<std::string> err;   // found in this order
    const char* errAbsent;          // "" = no check; "*" = stderr is empty
    std::vector<std::string> out;   // found in this order
    const char* lastOut;            // last stdout line; "" = no stdout at all
    std::set<std::string> files;    // in out/ afterwards
};

std::vector<std::string> Export(std::vector<std::string> extra) {
    std::vector<std::string> args = {"export", "--model", "{model}", "--root", "{root}",
                                     "--out", "out", "--name", "OUT"};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

std::vector<std::string> Exists(std::vector<std::string> extra) {
    std::vector<std::string> args = {"exists", "--model", "{model}", "--root", "{root}",
                                     "--out", "out", "--name", "OUT"};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

// A name the library takes (its paths go to 511 characters), but no file
// system of ours takes for a file (at most 255).
const std::string kLongName(300, 'n');

void WriteOut001(const TableRoot& root) { root.WriteFile("out/OUT001.csv", "mine\n"); }
void NoVariableTable(const TableRoot& root) { root.RemoveTable("VariableTable"); }
// Stands for the platform's reason when a folder is where a file is to be
// made: "Is a directory" on Linux, "Access denied" under Wine.
const char kFolderInTheWay[] = "{folder in the way}";

// The platform's reason, asked of a real folder.
std::string FolderInTheWay(const TableRoot& root) {
    fs::create_directory(root.PathOf("in-the-way"));
    std::unique_ptr<TextWriter> writer;
    const std::string reason = FileSystem::Default()->OpenForWrite(root.PathOf("in-the-way"), &writer).ToString();
    fs::remove(root.PathOf("in-the-way"));
    return reason;
}

void NoTablesFolder(const TableRoot& root) { fs::remove_all(root.PathOf("MIRVANE")); }
void FolderAtOut001(const TableRoot& root) { fs::create_directory(root.PathOf("out/OUT001.csv")); }
void ShortPlanRow(const TableRoot& root) {
    root.WriteFile("MIRVANE/CAM/KR/Tables/PlanCSVTable.tsv", "No\tItem\nlonely\n");
}

const std::vector<Row>& Rows() {
    static const std::vector<Row> rows = {
        {"each plan's outcome and the messages", Export({"--plans", "0,1,2,3,4", "--overwrite"}),
         nullptr, 0,
         {"5 plans, 2 files written:\n", "plan 0 \"First\": ", "OUT000.csv, 2 rows\n",
          "plan 1 \"Second\": no file, no rows: its process list is empty",
          "plan 2 \"Third\": no file, no processes: the model database has no process data",
          "plan 3 \"Fourth\": no file, rejected: process \"Tap\" (42 0 0 1) has type 2418",
          "OUT004.csv, 1 row\n", "the run left 1 message:\n", "  5AX | CTL | The plan has"},
         "", {}, "status: 0", {"OUT000.csv", "OUT004.csv"}},
        {"--quiet", Export({"--plans", "0,1,2,3,4", "--overwrite", "--quiet"}), nullptr, 0, {},
         "*", {}, "status: 0", {"OUT000.csv", "OUT004.csv"}},
        {"one plan: no number in its file name", Export({"--plans", "4", "--overwrite"}), nullptr,
         0, {"1 plan, 1 file written:\n", "OUT.csv, 1 row\n"}, "", {}, "status: 0", {"OUT.csv"}},
        {"a failing process, with the plans not looked at", Export({"--plans", "4,5,0,1"}),
         nullptr, 1,
         // Plans by their numbers in the model, as --plans names them.
         {"OUT000.csv, 1 row", "plan 5 \"Broken\": no file, the run failed here",
          "plans 0 to 1: not looked at",
          "export failed (status -1): the model database gave no process type, at process "
          "\"Bad\" (61 0 0 1) of plan 5 \"Broken\"\n"},
         "", {}, "status: -1", {"OUT000.csv"}},
        {"plans not looked at, out of order", Export({"--plans", "5,3,1,2"}), nullptr, 1,
         {"plan 5 \"Broken\": no file, the run failed here\n", "  plans 3, 1, 2: not looked at, the run had ended\n"},
         "", {}, "status: -1", {}},
        {"a full trace follows each value: the converter's step",
         Export({"--plans", "7", "--trace", "trace.txt", "--quiet"}), nullptr, 1,
         {"export failed (status -1): a value could not be converted, at process \"Odd\" "
          "(81 0 0 1) of plan 7 \"Unreadable\"\n",
          "qvkdc:   the parameter 100 answers the status -1, in the converter's step CnvPrcsVal\n"},
         "", {}, "status: -1", {}},
        // A control character in a file name is refused on every platform,
        // and shown escaped on the plan's line.
        {"a plan's file name with a line end",
         {"export", "--model", "{model}", "--root", "{root}", "--out", "out", "--plans", "8"}, nullptr, 1,
         {"plan 8 \"Two\\nlines\": no file, the run failed here\n",
          "qvkdc:   the path holds the control character 0x0A\n"},
         "", {}, "status: -1", {}},
        // qvkdc's own files never take the place of a file of the call.
        {"--report naming a file of the export", Export({"--plans", "4", "--report", "{root}/out/OUT.csv"}),
         nullptr, 2, {"/out/OUT.csv: is the CSV file of plan 4"}, "", {}, "", {}},
        {"--trace naming the model", Export({"--plans", "4", "--trace", "{model}"}), nullptr, 2,
         {"model.json: is the model file"}, "", {}, "", {}},
        {"check --report naming a table file",
         {"check", "--model", "{model}", "--root", "{root}", "--report", "{root}/MIRVANE/CAM/KR/Tables/VariableTable.tsv"},
         nullptr, 2, {"VariableTable.tsv: is a table file"}, "", {}, "", {}},
        {"a missing table file", Export({}), NoVariableTable, 1,
         {"export failed (status -1): the table files could not be imported\n",
          "qvkdc:   missing from ", "VariableTable.tsv"},
         "", {}, "status: -1", {}},
        {"a short row met by a walk, with its table", Export({}), ShortPlanRow, 1,
         {"export failed (status -1): the column table could not be built from the table files\n",
          "PlanCSVTable.tsv: a row has too few cells: \"lonely\"\n"},
         "", {}, "status: -1", {}},
        {"a folder in the way of a file", Export({"--plans", "4,0", "--overwrite"}),
         FolderAtOut001, 1,
         {"OUT000.csv, 1 row", "the output file could not be created, at plan 0 \"First\": ",
          "OUT001.csv\n", kFolderInTheWay},
         "", {}, "status: -1", {"OUT000.csv", "OUT001.csv"}},
        {"a blank output folder", {"export", "--model", "{model}", "--root", "{root}", "--out", " "},
         nullptr, 1, {"export failed (status -1): the output folder (--out) is blank"}, "", {},
         "status: -1", {}},
        {"no output folder: refused before anything is written",
         {"export", "--model", "{model}", "--root", "{root}", "--out", "nowhere", "--messages",
          "{root}/messages.txt", "--report", "{root}/report.json"},
         nullptr, 2, {"--out nowhere: no such folder"}, "", {}, "", {}},
        {"an output folder that is a file",
         {"export", "--model", "{model}", "--root", "{root}", "--out", "{model}"}, nullptr, 2,
         {"model.json: is not a folder\n"}, "", {}, "", {}},
        {"a --report file in no folder: no report, no export",
         Export({"--overwrite", "--report", "{root}/nodir/r.json"}), nullptr, 2,
         {"--report ", "nodir", "does not exist"}, "", {}, "", {}},
        {"--plans that selects no plan that gives a file", Export({"--plans", "1,3", "--overwrite", "--quiet"}),
         nullptr, 0, {"qvkdc: warning: none of the plans --plans selects gave a file"}, "", {}, "status: 0", {}},
        {"--plans that lists a plan twice", Export({"--plans", "4,0,4", "--overwrite", "--quiet"}), nullptr, 0,
         {"qvkdc: warning: --plans lists plan 4 more than once"}, "plan 0 more", {}, "status: 0",
         {"OUT000.csv", "OUT001.csv", "OUT002.csv"}},
        {"no plans: a summary line without a list", Export({"--plans", "", "--overwrite"}),
         nullptr, 0, {"qvkdc: 0 plans, 0 files written\n"}, "written:", {}, "status: 0", {}},
        {"a model file that is not there, with the system's reason",
         {"exists", "--model", "{root}/none.json", "--out", "out"}, nullptr, 2,
         {"none.json: cannot be read: "}, "read: \n", {}, "", {}},
        {"a --messages file in no folder: refused before any CSV file",
         Export({"--overwrite", "--messages", "{root}/nodir/m.txt"}), nullptr, 2,
         {"--messages ", "nodir", "does not exist"}, "", {}, "", {}},
        {"--dry-run", Export({"--plans", "0,4", "--dry-run", "--messages", "{root}/messages.txt"}),
         WriteOut001, 0, {}, "*", {"new     ", "OUT000.csv\n", "exists  ", "OUT001.csv\n"},
         "status: 0", {"OUT001.csv"}},
        // Plans 1 to 3 write nothing: only the files of plans 0 and 4.
        {"--dry-run", Export({"--plans", "0,1,2,3,4", "--dry-run"}), WriteOut001, 0, {}, "*",
         {"new     ", "OUT000.csv\n", "new     ", "OUT004.csv\nstatus: 0"}, "status: 0",
         {"OUT001.csv"}},
        // Without process data, plan 6's name is never asked for.
        {"--dry-run",
         {"export", "--model", "{model}", "--root", "{root}", "--out", "out", "--plans", "6,4",
          "--dry-run"},
         nullptr, 0, {}, "*", {"new     ", "Fifth.csv\nstatus: 0"}, "status: 0", {}},
        {"--dry-run", Export({"--plans", "4,0", "--dry-run"}), FolderAtOut001, 1,
         {"the output file could not be created, at plan 0 \"First\": ", kFolderInTheWay},
         "", {"new     ", "OUT000.csv\nstatus: -1"}, "status: -1", {"OUT001.csv"}},
        {"--dry-run", Export({"--plans", "4,5,0", "--dry-run"}), nullptr, 1,
         {"export --dry-run failed (status -1): the model database gave no process type"}, "",
         {"new     ", "OUT000.csv\nstatus: -1"}, "status: -1", {}},
        {"files exist, no console: no question", Export({"--plans", "0,4"}), WriteOut001, 3,
         {"nothing was exported: these output files exist", "OUT001.csv"}, "Overwrite", {},
         "status: 1", {"OUT001.csv"}},
        {"a mistyped command", {"exprot"}, nullptr, 2,
         {"qvkdc: unknown command exprot; did you mean export?\n"}, "", {}, "", {}},
        {"a mistyped option", {"export", "--modle", "m.json", "--out", "o"}, nullptr, 2,
         {"qvkdc export: unknown option --modle; did you mean --model?\n"}, "", {}, "", {}},
        {"a mistyped top option", {"--verison"}, nullptr, 2, {"did you mean --version?"}, "", {},
         "", {}},
        {"help of an unknown command", {"help", "tabels"}, nullptr, 2, {"did you mean tables?"},
         "", {}, "", {}},
        {"help of two commands", {"help", "export", "tables"}, nullptr, 2,
         {"qvkdc help: unexpected argument tables"}, "", {}, "", {}},
        {"no command", {}, nullptr, 2, {"qvkdc: a command is required"}, "", {}, "", {}},
        {"a required option", {"exists", "--out", "o"}, nullptr, 2,
         {"qvkdc exists: --model is required"}, "", {}, "", {}},
        {"help lists the commands", {"help"}, nullptr, 0, {}, "*", {"export", "exists", "tables"},
         "Where more than one applies: 128+N, then 5, 2, 4, 3, 1.", {}},
        {"help of a command", {"help", "export"}, nullptr, 0, {}, "*",
         {"qvkdc export", "--report", "--dry-run", "--quiet"}, nullptr, {}},
        {"COMMAND --help", {"tables", "--help"}, nullptr, 0, {}, "*", {"--root", "--trace"},
         nullptr, {}},
        {"--version", {"--version"}, nullptr, 0, {}, "*", {}, "qvkdc " QVKDC_VERSION_STRING, {}},
        {"tables says why", {"tables", "--root", "{root}"}, NoVariableTable, 1,
         {"tables failed (status -1): the table files could not be imported\n", "VariableTable.tsv"},
         "see the trace", {}, "status: -1", {}},
        {"exists names the files that exist", Exists({"--plans", "0,4,0"}), WriteOut001, 0,
         {"qvkdc: these output files exist:\n  ", "OUT001.csv\n"}, "OUT000", {}, "status: 1",
         {"OUT001.csv"}},
        {"exists with no file there", Exists({"--plans", "0,4"}), nullptr, 0, {}, "*", {}, "status: 0", {}},
        {"exists --quiet", Exists({"--plans", "0,4", "--quiet"}), WriteOut001, 0, {}, "*", {},
         "status: 1", {"OUT001.csv"}},
        {"exists warns of a file name too long for the file system",
         {"exists", "--model", "{model}", "--out", "out", "--plans", "0", "--name", kLongName},
         nullptr, 0,
         {"warning: plan 0: the file name is 304 bytes long, but this file system takes at most "},
         "", {}, "status: 0", {}},
        {"export warns before it writes, and fails at that file",
         {"export", "--model", "{model}", "--root", "{root}", "--out", "out", "--plans", "0",
          "--name", kLongName},
         nullptr, 1,
         {"warning: plan 0: the file name is 304 bytes long", "export failed (status -1): ",
          "the output file could not be created"},
         "", {}, "status: -1", {}},
        {"check without a tables folder suggests --root", {"check", "--root", "{root}"},
         NoTablesFolder, 1, {"qvkdc: note: there is no tables folder ", "--root"}, "", {}, nullptr, {}},
        {"exists says why", {"exists", "--model", "{model}", "--out", "out", "--plans", "6"},
         nullptr, 1,
         {"exists failed (status -1): the file name could not be made, at plan 6 (7 0 0 1)\n",
          "qvkdc:   the model database gave no name for the plan\n"},
         "", {}, "status: -1", {}},
    };
    return rows;
}

class CliTellsTest : public HostTest {
 protected:
    void SetUp() override {
        HostTest::SetUp();
        Root().WriteFile("model.json", kModel);
    }
    // The root ends in "/" on the command line: a "K:\" would escape the
    // quote that follows it there.
    Ran Qvkdc(std::vector<std::string> args) {
        std::string root = Root().Path();
        while (!root.empty() && (root.back() == '\\' || root.back() == '/')) root.pop_back();
        for (std::string& a : args) {
            for (const auto& [from, to] : {std::pair<std::string, std::string>{"{root}/", root + "/"},
                                           {"{root}", root + "/"},
                                           {"{model}", root + "/model.json"}}) {
                const std::size_t at = a.find(from);
                if (at != std::string::npos) a.replace(at, from.size(), to);
            }
        }
        return RunQvkdc(Root(), args);
    }
};

// Each fragment in order in text.
void ExpectInOrder(const std::string& text, const std::vector<std::string>& fragments,
                   const std::string& folderInTheWay) {
    std::size_t at = 0;
    for (std::string f : fragments) {
        if (f == kFolderInTheWay) f = folderInTheWay;
        const std::size_t found = text.find(f, at);
        EXPECT_NE(found, std::string::npos) << "missing or out of order: [" << f << "] in\n" << text;
        if (found != std::string::npos) at = found + f.size();
    }
}

std::string LastLine(const std::string& text) {
    std::string t = text;
    while (!t.empty() && t.back() == '\n') t.pop_back();
    return t.substr(t.rfind('\n') == std::string::npos ? 0 : t.rfind('\n') + 1);
}

TEST_F(CliTellsTest, EveryBehaviourByRow) {
    const std::string folderInTheWay = FolderInTheWay(Root());
    ASSERT_NE(folderInTheWay, "");
    for (const Row& row : Rows()) {
        SCOPED_TRACE(row.what);
        fs::remove_all(Root().PathOf("out"));
        fs::create_directory(Root().PathOf("out"));
        Root().WriteTables(TableRoot::Example());
        fs::remove(Root().PathOf("messages.txt"));
        fs::remove(Root().PathOf("report.json"));
        if (row.setup != nullptr) row.setup(Root());
        const Ran r = Qvkdc(row.args);
        EXPECT_EQ(r.exitCode, row.exitCode) << r.err;
        ExpectInOrder(r.err, row.err, folderInTheWay);
        if (std::string(row.errAbsent) == "*") {
            EXPECT_EQ(r.err, "");
        } else if (*row.errAbsent != '\0') {
            EXPECT_EQ(r.err.find(row.errAbsent), std::string::npos) << r.err;
        }
        ExpectInOrder(r.out, row.out, folderInTheWay);
        if (row.lastOut != nullptr) {
            EXPECT_EQ(LastLine(r.out), row.lastOut) << r.out;
        }
        EXPECT_EQ(Root().Files("out"), row.files);
        // Refusals leave no message list, dry runs no file of qvkdc's own.
        if (row.exitCode == 2 || std::string(row.what) == "--dry-run") {
            EXPECT_FALSE(fs::exists(Root().PathOf("messages.txt")));
        }
        if (std::string(row.what) == "--dry-run") {
            EXPECT_FALSE(fs::exists(Root().PathOf("report.json")));
        }
    }
}

// --report is written for every outcome once the command line is parsed:
// the status (null without a library call), the refusal as stderr tells
// it, the files that made the export decline, and the plans of a run.
TEST_F(CliTellsTest, ReportIsWrittenWhateverTheOutcome) {
    const int kNoCall = 99;
    const struct {
        const char* what;
        const char* model;
        std::vector<std::string> extra;  // after "export --root {root} --report ... --model MODEL"
        void (*setup)(const TableRoot&);
        int exitCode;
        int status;           // kNoCall: null
        const char* refusal;  // found in "refusal"; "" = null
        std::size_t existing;
        std::size_t plans;
        const char* step;  // failure.step; "" = no failure
        bool detail;       // failure.detail is given
    } rows[] = {
        {"finished", "{model}", {"--out", "out", "--plans", "0,4", "--overwrite"}, nullptr, 0, 0, "",
         0, 2, "", false},
        {"failed", "{model}", {"--out", "out"}, NoVariableTable, 1, -1, "", 0, 9, "ImpCnvTbl", true},
        {"failed at once", "{model}", {"--out", " "}, nullptr, 1, -1, "", 0, 9, "Path nothing", false},
        {"declined", "{model}", {"--out", "out", "--name", "OUT", "--plans", "0,4"}, WriteOut001, 3,
         1, "", 1, 0, "", false},
        {"--out is a file", "{model}", {"--out", "{model}"}, nullptr, 2, kNoCall,
         "model.json: is not a folder", 0, 0, "", false},
        {"bad --plans", "{model}", {"--out", "out", "--plans", "0,x"}, nullptr, 2, kNoCall,
         "--plans: ", 0, 0, "", false},
        {"--messages in no folder", "{model}", {"--out", "out", "--messages", "{root}/nodir/m.txt"},
         nullptr, 2, kNoCall, "--messages ", 0, 0, "", false},
        {"no model file", "{root}/none.json", {"--out", "out"}, nullptr, 2, kNoCall,
         "none.json: cannot be read: ", 0, 0, "", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        fs::remove_all(Root().PathOf("out"));
        fs::create_directory(Root().PathOf("out"));
        Root().WriteTables(TableRoot::Example());
        fs::remove(Root().PathOf("report.json"));
        if (row.setup != nullptr) row.setup(Root());
        std::vector<std::string> args = {"export", "--root", "{root}", "--report",
                                         "{root}/report.json", "--model", row.model};
        args.insert(args.end(), row.extra.begin(), row.extra.end());
        const Ran r = Qvkdc(args);
        EXPECT_EQ(r.exitCode, row.exitCode) << r.err;
        const nlohmann::json report = nlohmann::json::parse(Root().ReadFile("report.json"), nullptr, false);
        ASSERT_TRUE(report.is_object()) << Root().ReadFile("report.json");
        EXPECT_EQ(report["formatVersion"], 1);
        EXPECT_EQ(report["exitCode"], r.exitCode);
        EXPECT_EQ(report["status"], row.status == kNoCall ? nlohmann::json() : nlohmann::json(row.status));
        if (*row.refusal == '\0') {
            EXPECT_TRUE(report["refusal"].is_null()) << report["refusal"];
        } else {
            const std::string refusal = report["refusal"].is_string() ? report["refusal"].get<std::string>() : "";
            EXPECT_NE(refusal.find(row.refusal), std::string::npos) << refusal;
            EXPECT_EQ(r.err, "qvkdc: " + refusal + "\n");
        }
        EXPECT_EQ(report["existing"].size(), row.existing);
        EXPECT_EQ(report["plans"].size(), row.plans);
        EXPECT_EQ(report["failure"].is_null() ? "" : report["failure"]["step"].get<std::string>(), row.step);
        if (*row.step != '\0') {
            EXPECT_TRUE(report["failure"]["cause"].is_string());
            EXPECT_EQ(report["failure"]["detail"].is_string(), row.detail) << report["failure"];
        }
    }
}

TEST_F(CliTellsTest, ReportTellsScriptsTheSame) {
    Root().WriteTables(TableRoot::Example());
    fs::create_directory(Root().PathOf("out"));
    const Ran r = Qvkdc(Export({"--plans", "0,2,3,4,5", "--report", "{root}/report.json"}));
    ASSERT_EQ(r.exitCode, 1) << r.err;
    const nlohmann::json report = nlohmann::json::parse(Root().ReadFile("report.json"));
    EXPECT_EQ(report["status"], -1);
    EXPECT_EQ(report["exitCode"], 1);
    std::vector<std::string> outcomes;
    for (const auto& plan : report["plans"]) outcomes.push_back(plan["outcome"]);
    EXPECT_EQ(outcomes, (std::vector<std::string>{"written", "no-processes", "rejected", "written", "failed"}));
    const auto& first = report["plans"][0];
    EXPECT_EQ(first["id"], nlohmann::json::array({1, 0, 0, 1}));
    EXPECT_EQ(first["name"], "First");
    EXPECT_EQ(first["rows"], 2);
    EXPECT_NE(first["file"].get<std::string>().find("OUT000.csv"), std::string::npos);
    EXPECT_TRUE(first["reason"].is_null());
    const auto& rejected = report["plans"][2];
    EXPECT_TRUE(rejected["file"].is_null());
    EXPECT_EQ(rejected["process"]["id"], nlohmann::json::array({42, 0, 0, 1}));
    EXPECT_EQ(rejected["process"]["type"], 2418);
    // The failing process was never typed; the type of the process at its
    // place in the plan before is not its own.
    EXPECT_EQ(report["plans"][4]["process"]["name"], "Bad");
    EXPECT_EQ(report["plans"][4]["process"]["type"], 0);
    EXPECT_EQ(report["failure"]["step"], "QdgmInqNctyp");
    EXPECT_EQ(report["failure"]["notes"], nlohmann::json::array({"[ERR] : QdgmInqNctyp"}));
    EXPECT_EQ(report["messages"]["title"], kMsgTitleLine);
    EXPECT_EQ(report["messages"]["lines"],
              nlohmann::json::array({std::string("5AX\tCTL\t") + kMsgRejectedText, kMsgFailedLine}));
}

}  // namespace
