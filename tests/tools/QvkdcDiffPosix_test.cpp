// `qvkdc diff` of two table sets: one small set and model, and one row per
// kind of change of the tables: the files, columns and cells the diff finds
// changed, with the rows it names as their causes, and whether it calls it
// a change at all. Two table sets need two roots, which on Windows are
// drives of their own: the rows run where a root may be any folder.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "diff/DiffReport.h"
#include "diff/Differ.h"
#include "InspectRun.h"
#include "qvhostsim/qvhostsim.h"
#include "support/HostFixture.h"

namespace {

using Tables = TableRoot::Tables;

// Plan P1: "Face" (Mode code 1) and "Pocket" (Mode code 0); plan P2:
// "Drill" (code 0). The String form of Z's texts is quoted thrice.
const char kModel[] = R"({"plans": [
  {"id": [1, 0, 1, 0], "name": "P1", "processes": [
    {"id": [1, 1, 1, 0], "type": 2411, "name": "Face", "params": {"100": 5, "200": 1, "300": "abc", "400": 2.5}},
    {"id": [1, 1, 2, 0], "type": 2411, "name": "Pocket", "params": {"100": 7, "200": 0, "300": "x"}}]},
  {"id": [2, 0, 1, 0], "name": "P2", "processes": [
    {"id": [2, 1, 1, 0], "type": 2411, "name": "Drill", "params": {"100": 1, "200": 0, "300": "y"}}]}]})";

struct Set {
    Tables t = TableRoot::Example();
    std::string option;
    std::string raw;  // when not empty: ExteriorTable's bytes as they stand
};

// Writes s below folder of the root, as a table root.
void WriteSet(const TableRoot& root, const std::string& folder, const Set& s) {
    const char* names[] = {"ExteriorTable", "ProcessParametersTable", "ParameterSettingTable",
                           "SelectionToIntTable", "VariableTable", "PlanCSVTable"};
    const TableRoot::Rows* tables[] = {&s.t.exterior, &s.t.processParameters, &s.t.parameterSetting,
                                       &s.t.selectionToInt, &s.t.variable, &s.t.planCsv};
    for (int i = 0; i < 6; ++i) {
        std::string text;
        for (const auto& row : *tables[i]) {
            for (std::size_t c = 0; c < row.size(); ++c) text += (c > 0 ? "\t" : "") + row[c];
            text += '\n';
        }
        if (i == 0 && !s.raw.empty()) text = s.raw;
        root.WriteFile(folder + "MIRVANE/CAM/KR/Tables/" + names[i] + ".tsv", text);
    }
    root.WriteFile(folder + "MIRVANE/user/cam/nccust/rc_pln2usr.ini", s.option);
}

// One line for each change of the diff: the file's columns and rows, and
// each cell with (withCauses) the rows that caused it and what they changed.
std::vector<std::string> Lines(const DiffResult& result, bool withCauses = true) {
    std::vector<std::string> lines;
    for (const FileChange& f : result.files) {
        const std::string file = f.name + ' ';
        if (f.change != FileChangeKind::kChanged) {
            if (f.change != FileChangeKind::kSame) lines.push_back(file + FileChangeName(f.change));
            continue;
        }
        for (const auto& title : f.addedColumns) lines.push_back(file + "added " + title);
        for (const auto& title : f.removedColumns) lines.push_back(file + "removed " + title);
        for (const auto& [from, to] : f.renamedColumns) lines.push_back(file + "renamed " + from + " -> " + to);
        for (const auto& title : f.movedColumns) lines.push_back(file + "moved " + title);
        for (const CellChange& c : f.cells) {
            std::string line = file + std::to_string(c.row.row) + ' ' + c.column + ": \"" + c.before + "\" -> \"" +
                               c.after + '"' + (c.emptied ? " emptied (" + c.reason + ")" : "");
            std::string what;
            for (const DiffCause& cause : withCauses ? c.causes : std::vector<DiffCause>()) {
                line += std::string(" ") + DiffSideName(cause.side) + ' ' +
                        cause.file.substr(cause.file.find_last_of('/') + 1) + ':' + std::to_string(cause.line);
                if (!cause.what.empty() && what.find(cause.what) == std::string::npos) what += " / " + cause.what;
            }
            lines.push_back(line + what);
        }
    }
    return lines;
}

struct Row {
    const char* name;
    void (*change)(Set* now);
    std::vector<std::string> lines;  // of the change; empty: none
    std::vector<int> plans{0, 1};
    std::set<std::string> ignored{};  // --ignore-column
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

const Row kRows[] = {
    {"a choice text", [](Set* s) { s->t.exterior[3] = {"Mode:none", "selOff"}; },
     {"P1.csv 2 Mode: \"off\" -> \"none\" old ExteriorTable.tsv:4 new ExteriorTable.tsv:4 / changed the text of "
      "code 0 of \"Mode\"",
      "P2.csv 1 Mode: \"off\" -> \"none\" old ExteriorTable.tsv:4 new ExteriorTable.tsv:4 / changed the text of "
      "code 0 of \"Mode\""}},
    {"a choice value", [](Set* s) { s->t.selectionToInt[1] = {"selOff", "5"}; },
     {"P1.csv 2 Mode: \"off\" -> \"\" emptied (no choice of the column has the code 0) old ExteriorTable.tsv:4 "
      "old SelectionToIntTable.tsv:2 / left code 0 of \"Mode\" without a choice",
      "P2.csv 1 Mode: \"off\" -> \"\" emptied (no choice of the column has the code 0) old ExteriorTable.tsv:4 "
      "old SelectionToIntTable.tsv:2 / left code 0 of \"Mode\" without a choice"}},
    {"a parameter key", [](Set* s) { s->t.processParameters[2] = {"itemZ", "301", "3"}; },
     {"P1.csv 1 Z: \"\"\"\"abc\"\"\"\" -> \"\" emptied (the process holds no value under the key 301) old "
      "ProcessParametersTable.tsv:3 new ProcessParametersTable.tsv:3 / changed the parameter of \"Z\" from 300 to 301",
      "P1.csv 2 Z: \"\"\"\"x\"\"\"\" -> \"\" emptied (the process holds no value under the key 301) old "
      "ProcessParametersTable.tsv:3 new ProcessParametersTable.tsv:3 / changed the parameter of \"Z\" from 300 to 301",
      "P2.csv 1 Z: \"\"\"\"y\"\"\"\" -> \"\" emptied (the process holds no value under the key 301) old "
      "ProcessParametersTable.tsv:3 new ProcessParametersTable.tsv:3 / changed the parameter of \"Z\" from 300 to 301"}},
    // The host holds integers: read as reals without the sub type, they give 0.
    {"a value type", [](Set* s) { s->t.parameterSetting[0] = {"itemN", "Real", "", ""}; },
     {"P1.csv 1 N: \"5\" -> \"0.000000\" old ParameterSettingTable.tsv:1 new ParameterSettingTable.tsv:1 / changed "
      "the value type of \"N\" from \"Real\" (\"Integer\") to \"Real\"",
      "P1.csv 2 N: \"7\" -> \"0.000000\" old ParameterSettingTable.tsv:1 new ParameterSettingTable.tsv:1 / changed "
      "the value type of \"N\" from \"Real\" (\"Integer\") to \"Real\"",
      "P2.csv 1 N: \"1\" -> \"0.000000\" old ParameterSettingTable.tsv:1 new ParameterSettingTable.tsv:1 / changed "
      "the value type of \"N\" from \"Real\" (\"Integer\") to \"Real\""}},
    {"a title", [](Set* s) { s->t.exterior[0] = {"Number", "itemN"}; },
     {"P1.csv renamed N -> Number", "P2.csv renamed N -> Number"}},
    {"a PlanCSVTable row removed", [](Set* s) { s->t.planCsv.pop_back(); },
     {"P1.csv removed Z", "P2.csv removed Z"}},
    {"an option line added", [](Set* s) { s->option = "Extra\n"; }, {"P1.csv added Extra", "P2.csv added Extra"}},
    {"columns swapped", [](Set* s) { std::swap(s->t.planCsv[0], s->t.planCsv[1]); },
     {"P1.csv moved Mode", "P2.csv moved Mode"}},
    {"a column made always empty",
     [](Set* s) {
         s->t.planCsv[2] = {"3", "comment"};
         s->t.exterior[4] = {"Z", "comment"};
     },
     {"P1.csv 1 Z: \"\"\"\"abc\"\"\"\" -> \"\" emptied (the export writes nothing for this item, whatever the process holds) "
      "old PlanCSVTable.tsv:3 new PlanCSVTable.tsv:3 old ProcessParametersTable.tsv:3 old ParameterSettingTable.tsv:3 "
      "/ changed the item of \"Z\" from \"itemZ\" to \"comment\" / changed the parameter of \"Z\" from 300 to 0 / "
      "changed the value type of \"Z\" from \"String\" to none",
      "P1.csv 2 Z: \"\"\"\"x\"\"\"\" -> \"\" emptied (the export writes nothing for this item, whatever the process holds) "
      "old PlanCSVTable.tsv:3 new PlanCSVTable.tsv:3 old ProcessParametersTable.tsv:3 old ParameterSettingTable.tsv:3 "
      "/ changed the item of \"Z\" from \"itemZ\" to \"comment\" / changed the parameter of \"Z\" from 300 to 0 / "
      "changed the value type of \"Z\" from \"String\" to none",
      "P2.csv 1 Z: \"\"\"\"y\"\"\"\" -> \"\" emptied (the export writes nothing for this item, whatever the process holds) "
      "old PlanCSVTable.tsv:3 new PlanCSVTable.tsv:3 old ProcessParametersTable.tsv:3 old ParameterSettingTable.tsv:3 "
      "/ changed the item of \"Z\" from \"itemZ\" to \"comment\" / changed the parameter of \"Z\" from 300 to 0 / "
      "changed the value type of \"Z\" from \"String\" to none"}},
    {"the plan filter", [](Set* s) { s->t.exterior[3] = {"Mode:none", "selOff"}; },
     {"P2.csv 1 Mode: \"off\" -> \"none\" old ExteriorTable.tsv:4 new ExteriorTable.tsv:4 / changed the text of "
      "code 0 of \"Mode\""},
     {1}},

    // No change.
    {"the same tables", [](Set*) {}, {}},
    {"rows the export does not depend on, reordered",
     [](Set* s) {
         std::swap(s->t.selectionToInt[0], s->t.selectionToInt[1]);
         std::swap(s->t.processParameters[0], s->t.processParameters[2]);
         std::swap(s->t.parameterSetting[1], s->t.parameterSetting[3]);
     },
     {}},
    {"a column left out", [](Set* s) { s->t.processParameters[2] = {"itemZ", "301", "3"}; }, {}, {0, 1}, {"Z"}},
    {"a comment of the option file", [](Set* s) { s->option = "# no columns of our own\n"; }, {}},
    {"CR LF, blank lines and a byte-order mark",
     [](Set* s) { s->raw = "\xEF\xBB\xBFN\titemN\r\nMode\titemMode\r\n\r\nMode:a,b\tselAB\r\nMode:off\tselOff\r\n"
                           "Z\titemZ\r\nExtra\titemX\r\n"; },
     {}},
};

class DiffRowTest : public HostTest, public ::testing::WithParamInterface<Row> {};

TEST_P(DiffRowTest, FindsExactlyTheChangedCellsAndTheirCauses) {
    const Row& row = GetParam();
    Set old;
    Set now;
    row.change(&now);
    WriteSet(Root(), "old/", old);
    WriteSet(Root(), "new/", now);
    LoadModel(kModel);
    DiffRequest request;
    request.indexes = row.plans;
    request.ignoredColumns = row.ignored;
    request.oldRoot = Root().PathOf("old");
    request.oldShown = "old/";
    request.newRoot = Root().PathOf("new");
    request.newShown = "new/";
    request.out = ".";
    const DiffResult result = RunDiff(request);
    EXPECT_EQ(result.old.status, 0);
    EXPECT_EQ(result.now.status, 0);
    EXPECT_EQ(Lines(result), row.lines);
    EXPECT_EQ(result.Changed(), !row.lines.empty());

    // The same changes against the files the old tables' export left.
    std::filesystem::current_path(Root().PathOf("old"));
    std::vector<ModelId> plans(row.plans.size());
    for (std::size_t i = 0; i < plans.size(); ++i) QvsimPlanId(row.plans[i], &plans[i]);
    RunRequest write;
    write.plans = plans.data();
    write.count = static_cast<int>(plans.size());
    write.out = Root().PathOf("out");
    std::filesystem::create_directory(write.out);
    ASSERT_EQ(RunExport(write).status, 0);
    std::filesystem::current_path(Root().Path());
    request.fromDisk = true;
    request.out = write.out;
    EXPECT_EQ(Lines(RunDiff(request), false), Lines(result, false));
    EXPECT_EQ(result.files.size(), row.plans.size());
    // A cause's file lies below its side's root, as shown.
    for (const FileChange& f : result.files) {
        for (const CellChange& c : f.cells) {
            for (const DiffCause& cause : c.causes) {
                EXPECT_EQ(cause.file.compare(0, 4, std::string(DiffSideName(cause.side)) + '/'), 0) << cause.file;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Changes, DiffRowTest, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& p) {
                             std::string name;
                             for (const char c : std::string(p.param.name)) name += std::isalnum(c) ? c : '_';
                             return name;
                         });

}  // namespace
