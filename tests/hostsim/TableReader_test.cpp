#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/Qvlbw.h"
#include "qvhostsim/qvhostsim.h"
#include "support/TempDir.h"

namespace {

using Row = std::vector<std::string>;

Row Cells(const CQvlbwStringArray& row) {
    Row cells;
    for (int i = 0; i < row.GetSize(); ++i) cells.emplace_back(row.GetAt(i));
    return cells;
}

std::vector<Row> Walk(CQvlbwTableA* table) {
    std::vector<Row> rows;
    CQvlbwStringArray row;
    table->MoveFirst();
    while (table->GetNextRow(&row) != 0) rows.push_back(Cells(row));
    return rows;
}

class TableReaderTest : public ::testing::Test {
 protected:
    // Reads bytes as a table file into table_; returns ReadTable's result.
    int Load(const std::string& bytes) { return table_.ReadTable(dir_.WriteFile("t.tsv", bytes).c_str()); }

    TempDir dir_;
    CQvlbwTableA table_;
    CQvlbwStringArray row_;
};

struct ParseCase {
    const char* name;
    std::string bytes;
    std::vector<Row> rows;
};

TEST_F(TableReaderTest, ReadsRowsAsSpreadsheetsSaveThem) {
    const ParseCase cases[] = {
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
        {"bom only", "\xEF\xBB\xBF", {}},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(Load(c.bytes), 0);
        EXPECT_EQ(Walk(&table_), c.rows);
        EXPECT_EQ(table_.GetRowCount(), static_cast<int>(c.rows.size()));
    }
}

TEST_F(TableReaderTest, FindRowMatchesWholeCellFirstRowWins) {
    ASSERT_EQ(Load("k1\ta\nK1\tb\nk1\tc\nk10\td\n\te\n"), 0);
    EXPECT_EQ(table_.FindRow(1, "k1", &row_), 1);
    EXPECT_EQ(Cells(row_), (Row{"k1", "a"}));
    EXPECT_EQ(table_.FindRow(1, "K1", &row_), 1);
    EXPECT_EQ(Cells(row_), (Row{"K1", "b"}));
    EXPECT_EQ(table_.FindRow(1, "", &row_), 1);
    EXPECT_EQ(Cells(row_), (Row{"", "e"}));
    EXPECT_EQ(table_.FindRow(1, "k", &row_), 0);
    EXPECT_EQ(table_.FindRow(1, "k1 ", &row_), 0);
    EXPECT_EQ(row_.GetSize(), 0);
}

TEST_F(TableReaderTest, FindRowOnLaterColumnsSkipsShortRows) {
    ASSERT_EQ(Load("a\tx\nb\ty\tz\nc\ty\tw\n"), 0);
    EXPECT_EQ(table_.FindRow(1, "c", &row_), 1);
    EXPECT_EQ(table_.FindRow(2, "y", &row_), 1);
    EXPECT_EQ(Cells(row_), (Row{"b", "y", "z"}));
    EXPECT_EQ(table_.FindRow(3, "w", &row_), 1);
    EXPECT_EQ(Cells(row_), (Row{"c", "y", "w"}));
    EXPECT_EQ(table_.FindRow(3, "", &row_), 0);
    EXPECT_EQ(table_.FindRow(4, "", &row_), 0);
    EXPECT_EQ(table_.FindRow(0, "a", &row_), 0);
    EXPECT_EQ(table_.FindRow(-1, "a", &row_), 0);
    EXPECT_EQ(table_.FindRow(1, nullptr, &row_), 0);
}

TEST_F(TableReaderTest, NoDataAnswersMinusTwoButEmptyFileAnswersZero) {
    EXPECT_EQ(table_.FindRow(1, "a", &row_), -2);
    EXPECT_EQ(table_.GetNextRow(&row_), 0);
    ASSERT_EQ(Load("\r\n\n"), 0);
    EXPECT_EQ(table_.FindRow(1, "a", &row_), 0);
    EXPECT_EQ(table_.GetNextRow(&row_), 0);
}

TEST_F(TableReaderTest, FailedReadLeavesNoData) {
    ASSERT_EQ(Load("a\tb\n"), 0);
    EXPECT_NE(table_.ReadTable(dir_.Path().c_str()), 0);  // a folder
    EXPECT_EQ(table_.IsRead(), 0);
    EXPECT_EQ(table_.FindRow(1, "a", &row_), -2);
    EXPECT_EQ(table_.GetNextRow(&row_), 0);

    ASSERT_EQ(Load("a\tb\n"), 0);
    EXPECT_NE(table_.ReadTable(dir_.PathOf("missing.tsv").c_str()), 0);
    EXPECT_EQ(table_.FindRow(1, "a", &row_), -2);
    EXPECT_NE(table_.ReadTable(nullptr), 0);
}

TEST_F(TableReaderTest, RereadReplacesRowsAndIndexes) {
    ASSERT_EQ(Load("old\t1\nkeep\t2\n"), 0);
    ASSERT_EQ(table_.FindRow(1, "keep", &row_), 1);
    CQvlbwStringArray walked;
    ASSERT_EQ(table_.GetNextRow(&walked), 1);
    ASSERT_EQ(Load("new\t3\nkeep\t4\n"), 0);
    EXPECT_EQ(table_.FindRow(1, "old", &row_), 0);
    EXPECT_EQ(table_.FindRow(1, "keep", &row_), 1);
    EXPECT_EQ(Cells(row_), (Row{"keep", "4"}));
    ASSERT_EQ(table_.GetNextRow(&walked), 1);  // cursor back before row 1
    EXPECT_EQ(Cells(walked), (Row{"new", "3"}));
}

TEST_F(TableReaderTest, FindRowLeavesTheWalkUndisturbed) {
    ASSERT_EQ(Load("a\t1\nb\t2\nc\t3\n"), 0);
    CQvlbwStringArray walked;
    ASSERT_EQ(table_.GetNextRow(&walked), 1);
    EXPECT_EQ(table_.FindRow(1, "c", &row_), 1);
    EXPECT_EQ(table_.FindRow(1, "zz", &row_), 0);
    ASSERT_EQ(table_.GetNextRow(&walked), 1);
    EXPECT_EQ(Cells(walked), (Row{"b", "2"}));
    ASSERT_EQ(table_.GetNextRow(&walked), 1);
    EXPECT_EQ(table_.GetNextRow(&walked), 0);
    EXPECT_EQ(table_.GetNextRow(&walked), 0);
    table_.MoveFirst();
    ASSERT_EQ(table_.GetNextRow(&walked), 1);
    EXPECT_EQ(Cells(walked), (Row{"a", "1"}));
}

TEST_F(TableReaderTest, ReadTableFailsOnDemandAndCallsAreCounted) {
    QvsimReset();
    ASSERT_EQ(QvsimFailCall("ReadTable", 2), 0);
    ASSERT_EQ(Load("a\n"), 0);
    EXPECT_NE(Load("a\n"), 0);
    EXPECT_EQ(table_.FindRow(1, "a", &row_), -2);
    ASSERT_EQ(Load("a\n"), 0);
    EXPECT_EQ(table_.FindRow(1, "a", &row_), 1);
    table_.MoveFirst();
    EXPECT_EQ(table_.GetNextRow(&row_), 1);
    EXPECT_EQ(table_.GetNextRow(&row_), 0);
    EXPECT_EQ(QvsimCallCount("ReadTable"), 3);
    EXPECT_EQ(QvsimCallCount("FindRow"), 2);
    EXPECT_EQ(QvsimCallCount("MoveFirst"), 1);
    EXPECT_EQ(QvsimCallCount("GetNextRow"), 2);
    QvsimReset();
}

TEST(StringArray, RefillsAndKeepsEmbeddedLengths) {
    CQvlbwStringArray a;
    a.Add("abcdef", 3);
    a.Add("", 0);
    a.Add(nullptr, 0);
    a.Add("xyz", -1);
    EXPECT_EQ(Cells(a), (Row{"abc", "", "", "xyz"}));
    a.RemoveAll();
    EXPECT_EQ(a.GetSize(), 0);
    a.Add("q", 1);
    EXPECT_EQ(Cells(a), (Row{"q"}));
}

}  // namespace
