// docs/configuration.md, the reference for the people who write the tables:
// it names every keyword, mark, special item and key the library knows, each
// special item under its kind, only findings that `qvkdc check` has, and its
// worked example (tests/docs/example/, the files shown in the reference)
// checks clean and exports the CSV bytes the reference shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "check/FindingCodes.h"
#include "cli/CommandDocs.h"
#include "convert/CQvkdcCnvColData.h"
#include "examine/ItemRules.h"
#include "model/CQvkdcOutColRowMng.h"
#include "support/HostFixture.h"
#include "support/RunQvkdc.h"
#include "tables/CQvkdcCnvTblCtrl.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

std::string ReadSource(const std::string& relative) {
    std::ifstream in(QVKDC_SOURCE_DIR + relative, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const std::string& Doc() {
    static const std::string doc = ReadSource("docs/configuration.md");
    return doc;
}

// The text from the heading line to the next heading of level 2 or 3.
std::string Section(std::string_view heading) {
    const std::size_t start = Doc().find(std::string("\n") + std::string(heading) + "\n");
    if (start == std::string::npos) return "";
    std::size_t end = Doc().size();
    for (const char* next : {"\n## ", "\n### "}) end = std::min(end, Doc().find(next, start + 1));
    return Doc().substr(start, end - start);
}

// Written as the reference writes what goes into a cell: in backticks.
std::string Ticked(std::string_view name) { return "`" + std::string(name) + "`"; }

// Cells of a row without the empty cells at its end: an empty cell and no
// cell read alike, and a Markdown table cannot tell them apart.
std::vector<std::string> Trimmed(std::vector<std::string> cells) {
    while (!cells.empty() && cells.back().empty()) cells.pop_back();
    return cells;
}

Rows TsvRows(const std::string& text) {
    Rows rows;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> cells;
        std::istringstream cellsIn(line);
        for (std::string cell; std::getline(cellsIn, cell, '\t');) cells.push_back(cell);
        rows.push_back(Trimmed(cells));
    }
    return rows;
}

// The body rows of the Markdown table after the line "**title**".
Rows DocTableRows(const std::string& title) {
    Rows rows;
    std::size_t p = Doc().find("\n**" + title + "**");
    if (p == std::string::npos) return rows;
    p = Doc().find("\n|", p);
    std::istringstream in(Doc().substr(p + 1));
    int line = 0;
    for (std::string text; std::getline(in, text) && text.rfind('|', 0) == 0; ++line) {
        if (line < 2) continue;  // the header and its rule
        std::vector<std::string> cells;
        for (std::size_t at = 1, bar; (bar = text.find('|', at)) != std::string::npos; at = bar + 1) {
            const std::string cell = text.substr(at, bar - at);
            const std::size_t first = cell.find_first_not_of(' ');
            cells.push_back(first == std::string::npos ? "" : cell.substr(first, cell.find_last_not_of(' ') + 1 - first));
        }
        rows.push_back(Trimmed(cells));
    }
    return rows;
}

// The content of the first fenced block after "after" that opens with fence.
std::string DocBlock(const std::string& after, const std::string& fence) {
    std::size_t p = Doc().find(after);
    if (p == std::string::npos || (p = Doc().find(fence + "\n", p)) == std::string::npos) return "";
    p += fence.size() + 1;
    return Doc().substr(p, Doc().find("```\n", p) - p);
}

// The table of value types is what qvkdc writes from the library's table,
// so a value type added there reaches the guide by the target alone.
TEST(ConfigurationReference, ValueTypeTableIsTheLibrarys) {
    std::ostringstream table;
    WriteValueTypeTable(table);
    const std::string header = table.str().substr(0, table.str().find('\n') + 1);
    const std::size_t start = Doc().find(header);
    ASSERT_NE(start, std::string::npos) << "docs/configuration.md has no table of value types";
    EXPECT_EQ(Doc().substr(start, Doc().find("\n\n", start) + 1 - start), table.str())
        << "cmake --build build --target value-types-table writes it";
}

TEST(ConfigurationReference, NamesEveryKeywordMarkSpecialItemAndKey) {
    ASSERT_FALSE(Doc().empty()) << "docs/configuration.md not read";
    std::vector<std::string> names;
    for (std::string_view k : ValueTypeKeywords()) names.emplace_back(k);
    for (std::string_view k : SubTypeKeywords()) names.emplace_back(k);
    names.emplace_back("o");  // the mark
    for (std::string_view n : DispatchItemNames()) names.emplace_back(n);
    for (const RuleItem& item : kRuleItems) names.emplace_back(item.name);
    names.emplace_back("akw_tls_nm");
    int processTypeKey = 0;
    std::string valType;
    CQvkdcCnvTblCtrl::ReplacePrcsStat("processType", &processTypeKey, &valType);
    names.emplace_back("processType");
    for (int key : {processTypeKey, kNoPrmKey, kNoPrmKeyAlt, kMacroPrcsType, kLocalCoordFlagKey,
                    kPitchKeySetA, kPitchKeyOther}) {
        names.push_back(std::to_string(key));
    }
    for (const std::string& name : names) {
        EXPECT_NE(Doc().find(Ticked(name)), std::string::npos) << name << " is not in the reference";
    }
}

// Each item with a converter of its own, each always-empty item and each
// item with a rule stands in its own subsection, and in no other.
TEST(ConfigurationReference, SpecialItemsStandUnderTheirKind) {
    const std::string dedicated = Section("### Items with a converter of their own");
    const std::string empty = Section("### Items that are always empty");
    const std::string ruled = Section("### Items asked for by key, with a rule");
    ASSERT_FALSE(dedicated.empty() || empty.empty() || ruled.empty());
    for (std::string_view name : DispatchItemNames()) {
        const bool isEmpty = DescribeColumn(name).conv == ItemConv::kEmpty;
        EXPECT_NE((isEmpty ? empty : dedicated).find(Ticked(name)), std::string::npos) << name;
        EXPECT_EQ((isEmpty ? dedicated : empty).find(Ticked(name)), std::string::npos) << name;
        EXPECT_EQ(ruled.find(Ticked(name)), std::string::npos) << name;
    }
    for (const RuleItem& item : kRuleItems) {
        if (DescribeColumn(item.name).conv != ItemConv::kParam) continue;
        EXPECT_NE(ruled.find(Ticked(item.name)), std::string::npos) << item.name;
    }
}

TEST(ConfigurationReference, CommonMistakesNameFindingsOfTheCheck) {
    const std::string mistakes = Section("## 9. Common mistakes");
    const std::regex bracketed("\\[([a-z0-9-]+)\\]");
    int named = 0;
    for (std::sregex_iterator m(mistakes.begin(), mistakes.end(), bracketed), end; m != end; ++m, ++named) {
        EXPECT_NE(FindFindingCode((*m)[1].str()), nullptr) << (*m)[1] << " is no finding code of the check";
    }
    EXPECT_GT(named, 20);
}

class ConfigurationExample : public HostTest {
 protected:
    // The example's files, in the order the reference shows them.
    static constexpr const char* kTables[] = {"PlanCSVTable", "ExteriorTable", "ProcessParametersTable",
                                              "ParameterSettingTable", "SelectionToIntTable", "VariableTable"};
    static constexpr const char* kOptionFile = "MIRVANE/user/cam/nccust/rc_pln2usr.ini";
    static std::string TablePath(const char* table) {
        return std::string("MIRVANE/CAM/KR/Tables/") + table + ".tsv";
    }
    static std::string Example(const std::string& relative) {
        return ReadSource("tests/docs/example/" + relative);
    }
};

TEST_F(ConfigurationExample, IsWhatTheReferenceShows) {
    for (const char* table : kTables) {
        const Rows file = TsvRows(Example(TablePath(table)));
        ASSERT_FALSE(file.empty()) << table;
        EXPECT_EQ(DocTableRows(std::string(table) + ".tsv"), file) << table;
    }
    EXPECT_EQ(DocBlock("\n**rc_pln2usr.ini**", "```"), Example(kOptionFile));
}

TEST_F(ConfigurationExample, ChecksCleanAndExports) {
    for (const char* table : kTables) Root().WriteFile(TablePath(table), Example(TablePath(table)));
    Root().WriteFile(kOptionFile, Example(kOptionFile));
    const std::string model = Root().WriteFile("model.json", Example("model.json"));
    std::filesystem::create_directory(Root().PathOf("out"));
    // "K:\" would end its quoted argument in a backslash.
    std::string root = Root().Path();
    if (root.back() != '/' && root.back() != '\\') root += '/';
    root.back() = '/';

    const Ran check = RunQvkdc(Root(), {"check", "--root", root, "--model", model, "--out", "out", "--name", "EXAMPLE"});
    EXPECT_EQ(check.exitCode, 0) << check.err;
    EXPECT_EQ(check.out, "0 errors, 0 warnings, 0 notes\n");
    EXPECT_NE(Doc().find("`0 errors, 0 warnings, 0 notes`"), std::string::npos);

    const Ran run = RunQvkdc(Root(), {"export", "--root", root, "--model", model, "--out", "out", "--name", "EXAMPLE",
                                      "--quiet"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::string csv = DocBlock("## 8. Worked example", "```csv");
    ASSERT_FALSE(csv.empty());
    EXPECT_EQ(Root().ReadFile("out/EXAMPLE.csv"), FileLines(csv));
}

TEST_F(ConfigurationExample, CheckHelpPointsToTheReference) {
    const Ran r = RunQvkdc(Root(), {"help", "check"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("docs/configuration.md"), std::string::npos) << r.out;
}

}  // namespace
