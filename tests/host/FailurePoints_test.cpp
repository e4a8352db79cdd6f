// The library's list of failure points read back from trace lines, as qvkdc
// reads a run it follows through the trace.
#include <gtest/gtest.h>

#include <string>

#include "inspect/FailurePoints.h"
#include "inspect/CnvTblFiles.h"
#include "tables/ShortRowNote.h"

namespace {

// Every step's own line names it again, and no two steps share a note.
TEST(FailurePoints, EveryLineNamesItsStep) {
    for (int i = 1; i < static_cast<int>(FailStep::kCount); ++i) {
        const FailurePoint& point = FailurePointOf(static_cast<FailStep>(i));
        SCOPED_TRACE(point.line);
        EXPECT_EQ(static_cast<int>(point.step), i);
        EXPECT_TRUE(IsFailureLine(point.line));
        EXPECT_EQ(FailureNoteOf(point.line), point.Note());
        EXPECT_EQ(FailStepOfNote(point.Note()), point.step);
        EXPECT_NE(point.area, FailArea::kNone);
    }
    for (int i = 0; i < kCnvTblFileCount; ++i) {
        EXPECT_EQ(CnvTblFileUnreadable(kCnvTblFiles[i].openError), &kCnvTblFiles[i]);
        EXPECT_EQ(CnvTblFileNamed(kCnvTblFiles[i].name), &kCnvTblFiles[i]);
    }
    EXPECT_EQ(CnvTblFileUnreadable(FailStep::kShortRow), nullptr);
    EXPECT_EQ(CnvTblFileNamed("Exterior"), nullptr);
}

// Only a composed line is found by its start.
TEST(FailurePoints, NotesOfComposedLines) {
    const struct { const char* note; FailStep step; } cases[] = {
        {"Short row 3 in PlanCSVTable: x", FailStep::kShortRow},
        {"Short row in ExteriorTable: ", FailStep::kShortRow},
        {"Short rows", FailStep::kNone},
        {"CnvPrcsVal at 3", FailStep::kNone},
        {"Not import tablefile VariableTable", FailStep::kVariableTableNotImported},
        {"Not import tablefile Other", FailStep::kNone},
        {"", FailStep::kNone},
    };
    for (const auto& c : cases) EXPECT_EQ(FailStepOfNote(c.note), c.step) << c.note;
    EXPECT_EQ(FailureNoteOf("[ERR]ImpCnvTbl"), "ImpCnvTbl");
    EXPECT_FALSE(IsFailureLine("[INF] : ImpCnvTbl"));
}

// A short row's line, as the table steps compose it, read back.
TEST(FailurePoints, ShortRowLinesReadBack) {
    const struct { int walkRow; CnvTblIndex table; const char* cell; const char* line; } cases[] = {
        {4, kPlanCSVTableFile, "lonely", "[ERR] : Short row 4 in PlanCSVTable: lonely"},
        {0, kSelectionToIntTableFile, "selOn", "[ERR] : Short row in SelectionToIntTable: selOn"},
        {12, kExteriorTableFile, "Mode: On", "[ERR] : Short row 12 in ExteriorTable: Mode: On"},
        {0, kVariableTableFile, "", "[ERR] : Short row in VariableTable: "},
    };
    for (const auto& c : cases) {
        std::string line;
        AppendShortRowLine(c.walkRow, c.table, c.cell, &line);
        EXPECT_EQ(line, c.line);
        ShortRowNote row;
        ASSERT_TRUE(ReadShortRowNote(FailureNoteOf(line), &row)) << line;
        EXPECT_EQ(row.table, &kCnvTblFiles[c.table]);
        EXPECT_EQ(row.walkRow, c.walkRow);
        EXPECT_EQ(row.firstCell, c.cell);
    }
    ShortRowNote row;
    EXPECT_FALSE(ReadShortRowNote("ImpCnvTbl", &row));
    ASSERT_TRUE(ReadShortRowNote("Short row in Elsewhere: x", &row));
    EXPECT_EQ(row.table, nullptr);
    EXPECT_EQ(row.tableName, "Elsewhere");
}

}  // namespace
