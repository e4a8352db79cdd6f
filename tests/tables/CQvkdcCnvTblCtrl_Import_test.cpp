#include <string>
#include <vector>

#include "support/CnvTblFixture.h"

namespace {

using ImportTest = CnvTblFixture;
using Lines = std::vector<std::string>;

TEST_F(ImportTest, ToolSetFormIsColumn1OfTheRowWithAkwTlsNmInColumn3) {
    struct Case {
        TableRoot::Rows variable;
        const char* form;
    } const cases[] = {
        {{{"other", "", "x"}, {"FORM", "y", "akw_tls_nm"}}, "FORM"},
        {{{"", "y", "akw_tls_nm"}}, ""},
        {{{"akw_tls_nm", "y", "z"}, {"x", "akw_tls_nm"}}, ""},
        {{{"x", "y", "AKW_TLS_NM"}}, ""},
    };
    for (const Case& c : cases) {
        QvsimTraceClear();
        TableRoot::Tables t = ExampleTables();
        t.variable = c.variable;
        root.WriteTables(t);
        CQvkdcCnvTblCtrl set;
        EXPECT_EQ(set.ImpCnvTbl(), 0);
        EXPECT_EQ(set.GetTSetForm(), c.form);
        EXPECT_EQ(QvsimCallCount("ReadTable"), 6);
        EXPECT_EQ(TraceBody(), (Lines{"stat = 0", "stat = 0"}));
        QvsimReset();
        QvsimTraceAll(1, 1);
    }
}

TEST_F(ImportTest, MissingVariableTableFailsAfterReadingTheOthers) {
    root.WriteTables(ExampleTables());
    root.RemoveTable("VariableTable");
    EXPECT_EQ(tables.ImpCnvTbl(), -1);
    EXPECT_EQ(QvsimCallCount("ReadTable"), 5);
    EXPECT_EQ(TraceBody(), (Lines{"[ERR] : Not import tablefile VariableTable",
                                  "stat = -1", "[ERR] : SetTSetForm Error",
                                  "stat = -1"}));
    // PlanCSVTable, which comes after VariableTable, was read.
    EXPECT_EQ(tables.CreColTbl(), 0);
    EXPECT_EQ(tables.GetColTbl()->GetColCnt(), 1);
}

// The nth ReadTable failing names the nth table of the import order and
// leaves the later files and the tool-set form alone.
TEST_F(ImportTest, ReadFailureNamesTheTableAndStopsTheImport) {
    const char* const openErrors[] = {
        "[ERR] : ExternalNameTable Open Error",
        "[ERR] : ProcessParametersTable Open Error",
        "[ERR] : ParameterSettingTable Open Error",
        "[ERR] : SelectionToIntTable Open Error",
        "[ERR] : VariableTable Open Error",
        "[ERR] : NeccesaryItemTabel Open Error",
    };
    root.WriteTables(ExampleTables());
    for (int n = 1; n <= 6; ++n) {
        QvsimReset();
        QvsimTraceAll(1, 1);
        ASSERT_EQ(QvsimFailCall("ReadTable", n), 0);
        CQvkdcCnvTblCtrl set;
        EXPECT_EQ(set.ImpCnvTbl(), -1);
        EXPECT_EQ(QvsimCallCount("ReadTable"), n);
        EXPECT_EQ(TraceBody(), (Lines{openErrors[n - 1], "stat = -1"}));
        EXPECT_EQ(set.GetTSetForm(), "");
    }
}

TEST_F(ImportTest, MissingFilesAreSkippedWithoutMessage) {
    root.WriteTables(ExampleTables());
    root.RemoveTable("ExteriorTable");
    root.RemoveTable("SelectionToIntTable");
    ASSERT_EQ(QvsimFailCall("ReadTable", 3), 0);
    EXPECT_EQ(tables.ImpCnvTbl(), -1);
    EXPECT_EQ(TraceBody(), (Lines{"[ERR] : VariableTable Open Error", "stat = -1"}));
}

TEST_F(ImportTest, FolderInPlaceOfATableCannotBeRead) {
    root.WriteTables(ExampleTables());
    root.PutFolderAt("PlanCSVTable");
    EXPECT_EQ(tables.ImpCnvTbl(), -1);
    EXPECT_EQ(TraceBody(), (Lines{"[ERR] : NeccesaryItemTabel Open Error", "stat = -1"}));
}

TEST_F(ImportTest, MissingPlanCsvTableLeavesOnlyOptionColumns) {
    root.WriteTables(ExampleTables());
    root.RemoveTable("PlanCSVTable");
    root.WriteOptionFile("TitleA\n");
    EXPECT_EQ(tables.ImpCnvTbl(), 0);
    EXPECT_EQ(tables.CreColTbl(), 0);
    ASSERT_EQ(tables.GetColTbl()->GetColCnt(), 1);
    EXPECT_EQ(tables.GetColTbl()->GetColRow(0)->GetColFlg(), 2);
    EXPECT_FALSE(TraceHas("[ERR]"));
}

TEST_F(ImportTest, NoLinesAreTracedWhileTracingIsOff) {
    root.WriteTables(ExampleTables());
    root.RemoveTable("VariableTable");
    QvsimTraceAll(0, 1);
    EXPECT_EQ(tables.ImpCnvTbl(), -1);
    EXPECT_EQ(TraceBody(), Lines{});
}

}  // namespace
