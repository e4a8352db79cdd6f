// The check's page read as a browser reads it, by its element tree: every
// element closed, every id once, every link leading to an element of the
// page, and every finding, file, row and cell where the check's own results
// put it. Nothing here depends on the wording around them.
#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "check/CellNote.h"
#include "check/Checker.h"
#include "check/FindingCodes.h"
#include "support/CheckReport.h"
#include "support/HostFixture.h"
#include "report/HtmlWriter.h"
#include "support/HtmlTree.h"

namespace {

using CheckPageStructureTest = HostTest;

void Ids(const HtmlNode& node, std::set<std::string>* ids, std::vector<std::string>* twice) {
    for (const HtmlNode& child : node.children) {
        const std::string id = child.Attribute("id");
        if (!id.empty() && !ids->insert(id).second) twice->push_back(id);
        Ids(child, ids, twice);
    }
}

// The elements whose id begins with prefix, in page order.
std::vector<const HtmlNode*> WithIds(const HtmlNode& root, const std::string& tag, const std::string& prefix) {
    std::vector<const HtmlNode*> found;
    for (const HtmlNode* node : root.All(tag)) {
        if (node->Attribute("id").compare(0, prefix.size(), prefix) == 0) found.push_back(node);
    }
    return found;
}

// Line n of text, without its line end.
std::string Line(const std::string& text, int n) {
    std::size_t start = 0;
    for (int i = 1; i < n && start != std::string::npos; ++i) start = text.find('\n', start) + 1;
    const std::string line = text.substr(start, text.find('\n', start) - start);
    return line.empty() || line.back() != '\r' ? line : line.substr(0, line.size() - 1);
}

std::string BaseName(const std::string& file) { return file.substr(file.find_last_of("\\/") + 1); }

// A cell's text without the link that says why it is as it is.
std::string OwnText(const HtmlNode& cell) {
    std::string text;
    for (const HtmlNode& child : cell.children) {
        if (child.tag != "a") text += child.Text();
    }
    return text;
}

std::string Process(int plan, int k, const std::string& params) {
    return R"({"id": [)" + std::to_string(plan) + ", 1, " + std::to_string(k) + R"(, 0], "type": 2411, "params": )" +
           params + "}";
}

TEST_F(CheckPageStructureTest, FindingsFilesRowsAndCellsStandWhereTheCheckPutsThem) {
    TableRoot::Tables t = TableRoot::Example();  // "Mode:a,b": a warning at a choice row
    t.exterior.push_back({"Tool", "toolCheck1"});
    t.planCsv.push_back({"4", "toolCheck1"});
    t.planCsv.push_back({"5", "itemNone"});  // no title: an error at its column
    t.parameterSetting[2][2] = "o";           // Z, column 3: blank
    t.exterior.push_back({"Mode:zero", "selZero"});  // line 8: the value of "off" again
    t.selectionToInt.push_back({"selZero", "0"});
    Root().WriteTables(t);
    // Plan 1 holds one row more than the page shows, plan 2 three more, plan
    // 3 one row; plan 4's process type writes no file.
    const int rows[] = {ExportPreview::kRows + 1, ExportPreview::kRows + 3, 1};
    std::string plans;
    for (int p = 1; p <= 3; ++p) {
        std::string processes;
        for (int k = 1; k <= rows[p - 1]; ++k) {
            const std::string params = k % 3 == 0 ? "{}" : R"({"100": )" + std::to_string(k) + R"(, "300": "z<&>"})";
            processes += (k > 1 ? ", " : "") + Process(p, k, params);
        }
        plans += R"({"id": [)" + std::to_string(p) + R"(, 0, 1, 0], "name": "P)" + std::to_string(p) +
                 R"(", "processes": [)" + processes + "]}, ";
    }
    plans += R"({"id": [4, 0, 1, 0], "name": "none", "processes": [{"id": [4, 1, 1, 0], "type": 2418}]})";
    LoadModel(R"({"plans": [)" + plans + "]}");
    ExportCall call;
    call.outGiven = true;
    call.out = Root().PathOf("out");
    call.name = "OUT";
    Root().WriteFile("out/earlier.txt", "");
    Checker checker("", "model.json", nullptr, call);
    checker.KeepPreview();
    checker.Run();
    std::string error;
    const HtmlNode page = ParseHtml(CheckReport(checker, "html"), &error);
    ASSERT_EQ(error, "");
    ExpectFormsAgree(checker);

    std::set<std::string> ids;
    std::vector<std::string> twice;
    Ids(page, &ids, &twice);
    EXPECT_EQ(twice, std::vector<std::string>());
    EXPECT_EQ(ids.count("files"), 1u) << "the heading of the files";
    for (const HtmlNode* a : page.All("a")) {
        const std::string href = a->Attribute("href");
        if (href.compare(0, 1, "#") == 0) {
            EXPECT_EQ(ids.count(href.substr(1)), 1u) << href;
        }
    }

    // What was checked: the model among the facts.
    const std::vector<const HtmlNode*> facts = page.All("p", "facts");
    ASSERT_FALSE(facts.empty());
    ASSERT_GE(facts[0]->All("code").size(), 2u);
    EXPECT_EQ(facts[0]->All("code")[1]->Text(), "model.json");
    EXPECT_NE(facts[0]->Text().find(" qvkdc " QVKDC_VERSION_STRING " "), std::string::npos) << facts[0]->Text();

    // Every column in its row: its number, its marks, and the rows the
    // tables have for it, the definition first.
    const std::vector<const HtmlNode*> columnRows = WithIds(page, "tr", "column-");
    ASSERT_EQ(columnRows.size(), 5u);
    for (std::size_t i = 0; i < columnRows.size(); ++i) {
        const std::vector<const HtmlNode*> tds = columnRows[i]->All("td");
        ASSERT_GE(tds.size(), 7u);
        EXPECT_EQ(columnRows[i]->Attribute("id"), "column-" + std::to_string(i + 1));
        EXPECT_EQ(tds[0]->Text(), std::to_string(i + 1));
        const char* const keys[] = {"100", "200", "300", "0", "0"};
        EXPECT_EQ(tds[3]->Text(), keys[i]) << i;
        const char* const types[] = {"Real / Integer (65)", "Select (1003)", "String (1002)", "", ""};
        EXPECT_EQ(tds[4]->Text(), types[i]) << i;
        EXPECT_EQ(tds[5]->Text(), i == 2 ? "standard, blank" : "standard") << i;
        const std::vector<const HtmlNode*> places = tds[6]->All("span", "loc");
        ASSERT_FALSE(places.empty());
        EXPECT_EQ(places[0]->Text(), "PlanCSVTable.tsv:" + std::to_string(i + 1));
        const std::size_t rowsOf[] = {4, 4, 4, 2, 1};  // Tool has a title, itemNone nothing
        EXPECT_EQ(places.size(), rowsOf[i]) << "the rows of item " << tds[2]->Text();
    }

    // The choices of Mode, each in its row: value, text (a choice whose
    // value an earlier one has is never shown), choice item, its rows.
    const struct {
        int line;
        const char* value;
        const char* text;
        const char* item;
        const char* rows;
    } choices[] = {
        {3, "1", "a,b", "selAB", "ExteriorTable.tsv:3SelectionToIntTable.tsv:1"},
        {4, "0", "off", "selOff", "ExteriorTable.tsv:4SelectionToIntTable.tsv:2"},
        {8, "0", "zero (never shown: an earlier choice has this value)", "selZero",
         "ExteriorTable.tsv:8SelectionToIntTable.tsv:3"},
    };
    const std::vector<const HtmlNode*> choiceRows = WithIds(page, "tr", "choice-");
    ASSERT_EQ(choiceRows.size(), std::size(choices));
    for (std::size_t i = 0; i < choiceRows.size(); ++i) {
        const std::vector<const HtmlNode*> tds = choiceRows[i]->All("td");
        ASSERT_GE(tds.size(), 4u);
        EXPECT_EQ(choiceRows[i]->Attribute("id"), "choice-" + std::to_string(choices[i].line));
        EXPECT_EQ(tds[0]->Text(), choices[i].value);
        EXPECT_EQ(tds[1]->Text(), choices[i].text);
        EXPECT_EQ(tds[2]->Text(), choices[i].item);
        EXPECT_EQ(tds[3]->Text(), choices[i].rows);
        EXPECT_EQ(tds[3]->All("br").size(), 1u) << "the two rows, one a line";
    }

    // Every finding once (its severity, place and code are the forms'
    // test's), with a link to what it is about and the row it points at.
    const std::vector<Finding>& findings = checker.Findings().All();
    std::map<std::string, const HtmlNode*> items;
    for (const HtmlNode* li : WithIds(page, "li", "finding-")) items[li->Attribute("id")] = li;
    ASSERT_EQ(items.size(), findings.size());
    std::set<std::string> severities;
    for (std::size_t i = 0; i < findings.size(); ++i) {
        const Finding& f = findings[i];
        const std::string code = FindingCodeName(f.code);
        const auto item = items.find("finding-" + std::to_string(i + 1));
        ASSERT_NE(item, items.end()) << code;
        const HtmlNode& li = *item->second;
        severities.insert(SeverityName(f.severity));
        // A finding about a column links to the column's row, or to the
        // row of the choice it is about.
        const std::vector<const HtmlNode*> targets = li.All("a", "target");
        if (f.column >= 0) {
            ASSERT_EQ(targets.size(), 1u) << code;
            const bool choice = targets[0]->Text().compare(0, 7, "column ") != 0;
            const std::string n = std::to_string(choice ? f.line : f.column + 1);
            EXPECT_EQ(targets[0]->Text(), (choice ? "choice row " : "column ") + n) << code;
            EXPECT_EQ(targets[0]->Attribute("href"), (choice ? "#choice-" : "#column-") + n) << code;
        }
        // The table row it points at, under it, numbered with its line;
        // a tab shown as an arrow.
        const HtmlNode* source = li.Child("pre");
        if (source != nullptr) {
            ASSERT_NE(source->Child("span"), nullptr);
            EXPECT_EQ(source->Child("span")->Text(), std::to_string(f.line)) << code;
            std::string row = Line(Root().ReadFile(f.file), f.line);
            for (std::size_t at = row.find('\t'); at != std::string::npos; at = row.find('\t', at)) {
                row.replace(at, 1, "\xE2\x86\x92");
            }
            EXPECT_EQ(source->Text(), std::to_string(f.line) + row) << code;
        }
    }
    EXPECT_FALSE(page.All("pre", "src").empty());

    EXPECT_GE(severities.size(), 2u) << "findings of more than one severity";

    // Every file the export writes: its heading, its rows as the page shows
    // them, each cell's text and why an empty one is empty, and the rows
    // the page leaves out counted.
    ASSERT_NE(checker.Preview(), nullptr);
    const std::vector<ExportPreview::Plan>& previewed = checker.Preview()->Plans();
    const int columns = checker.Preview()->Columns();
    const std::vector<const HtmlNode*> headings = WithIds(page, "h3", "file-");
    const std::vector<const HtmlNode*> tables = page.All("table", "preview");
    const std::vector<const HtmlNode*> more = page.All("p", "more");
    ASSERT_EQ(previewed.size(), 3u);
    ASSERT_EQ(headings.size(), previewed.size());
    ASSERT_EQ(tables.size(), previewed.size());
    std::vector<std::string> counted;
    std::string brief, full;
    for (std::size_t k = 0; k < previewed.size(); ++k) {
        const ExportPreview::Plan& plan = previewed[k];
        SCOPED_TRACE(plan.title);
        const std::string file = BaseName(plan.file);
        EXPECT_EQ(plan.rows, rows[k]);
        EXPECT_EQ(headings[k]->Attribute("id"), "file-" + std::to_string(k + 1));
        EXPECT_EQ(headings[k]->Text(), plan.title + " " + file + " \xC2\xB7 " + std::to_string(plan.rows) +
                                           (plan.rows == 1 ? " row" : " rows"));
        ASSERT_NE(headings[k]->Child("span"), nullptr);
        EXPECT_EQ(headings[k]->Child("span")->Attribute("title"), plan.file);
        EXPECT_EQ(tables[k]->Attribute("data-file"), file);
        const HtmlNode* head = tables[k]->Child("thead");
        ASSERT_NE(head, nullptr);
        EXPECT_EQ(head->All("th").size(), static_cast<std::size_t>(columns) + 1);
        const HtmlNode* body = tables[k]->Child("tbody");
        ASSERT_NE(body, nullptr);
        const std::vector<const HtmlNode*> trs = body->All("tr");
        ASSERT_EQ(trs.size(), static_cast<std::size_t>(plan.shown));
        auto note = plan.notes.begin();
        for (int row = 0; row < plan.shown; ++row) {
            // A row with a comma written unquoted is one a reader splits.
            bool splits = false;
            for (int j = 0; j < columns; ++j) {
                const std::string_view cell = plan.Cell(row, j, columns);
                splits = splits || (cell.find(',') != std::string_view::npos && cell.front() != '"');
            }
            EXPECT_EQ(trs[row]->HasClass("split"), splits) << row;
            EXPECT_EQ(trs[row]->All("td", "splits").size(), splits ? 1u : 0u) << "the first cell that splits";
            if (splits) {
                const std::string title = trs[row]->Child("th")->Attribute("title");
                EXPECT_EQ(title.substr(title.find(" in this row")), " in this row, not " + std::to_string(columns)) << title;
            }
            ASSERT_NE(trs[row]->Child("th"), nullptr);
            EXPECT_EQ(trs[row]->Child("th")->Text(), std::to_string(row + 2)) << "the line in the file";
            const std::vector<const HtmlNode*> tds = trs[row]->All("td");
            ASSERT_EQ(tds.size(), static_cast<std::size_t>(columns));
            for (int j = 0; j < columns; ++j) {
                const std::string cell(plan.Cell(row, j, columns));
                // Shown as a reader takes it: "\"\"\"z\"\"\"" as "\"z\"".
                std::string value = cell;
                if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
                    value = value.substr(1, value.size() - 2);
                    for (std::size_t q = value.find("\"\""); q != std::string::npos; q = value.find("\"\"", q + 1)) {
                        value.erase(q, 1);
                    }
                }
                EXPECT_EQ(OwnText(*tds[j]), value) << row << ", " << j;
                EXPECT_EQ(tds[j]->HasClass("empty"), cell.empty()) << row << ", " << j;
                const HtmlNode* why = tds[j]->Child("a");
                const bool noted = note != plan.notes.end() && note->row == row && note->column == j;
                EXPECT_EQ(why != nullptr, noted) << row << ", " << j;
                if (!noted || why == nullptr) continue;
                CellNoteText(note->why, &brief, &full);
                EXPECT_EQ(why->Text(), brief);
                // To a finding about the cell's column, else to the column.
                const std::string href = why->Attribute("href");
                if (href.rfind("#finding-", 0) == 0) {
                    EXPECT_EQ(findings[std::stoul(href.substr(9)) - 1].column, j) << href;
                } else {
                    EXPECT_EQ(href, "#column-" + std::to_string(j + 1));
                }
                EXPECT_EQ(why->Attribute("title"), full);
                ++note;
            }
        }
        if (plan.rows > plan.shown) {
            const int left = plan.rows - plan.shown;
            counted.push_back(std::to_string(left) + (left == 1 ? " more row" : " more rows"));
        }
    }
    std::vector<std::string> told;
    for (const HtmlNode* p : more) told.push_back(p->Text());
    EXPECT_EQ(told, counted);
    EXPECT_FALSE(counted.empty());
}

}  // namespace
