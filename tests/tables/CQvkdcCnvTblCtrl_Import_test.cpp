#include <string>

#include "support/CnvTblFixture.h"

namespace {

using ImportTest = CnvTblFixture;

const char* const kOpenErrors[] = {
    "[ERR] : ExternalNameTable Open Error",
    "[ERR] : ProcessParametersTable Open Error",
    "[ERR] : ParameterSettingTable Open Error",
    "[ERR] : SelectionToIntTable Open Error",
    "[ERR] : VariableTable Open Error",
    "[ERR] : NeccesaryItemTabel Open Error",
};

TEST_F(ImportTest, ReadsAllTablesAndFindsTheToolSetForm) {
    root.WriteTables(ExampleTables());
    EXPECT_EQ(tables.ImpCnvTbl(), 0);
    EXPECT_EQ(tables.GetTSetForm(), "TS-FORM");
    EXPECT_EQ(QvsimCallCount("ReadTable"), 6);
    EXPECT_FALSE(TraceHas("[ERR]"));
}

TEST_F(ImportTest, ToolSetFormIsColumn1OfTheAkwTlsNmRowByColumn3) {
    struct Case {
        TableRoot::Rows variable;
        const char* form;
    } const cases[] = {
        {{{"other", "", "x"}, {"FORM", "y", "akw_tls_nm"}}, "FORM"},
        {{{"", "y", "akw_tls_nm"}}, ""},
        {{{"akw_tls_nm", "y", "z"}}, ""},
        {{{"x", "akw_tls_nm"}}, ""},
        {{{"x", "y", "AKW_TLS_NM"}}, ""},
        {{}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "form " << c.form);
        TableRoot::Tables t = ExampleTables();
        t.variable = c.variable;
        root.WriteTables(t);
        CQvkdcCnvTblCtrl set;
        EXPECT_EQ(set.ImpCnvTbl(), 0);
        EXPECT_EQ(set.GetTSetForm(), c.form);
    }
}

TEST_F(ImportTest, MissingVariableTableFailsAfterReadingTheOthers) {
    root.WriteTables(ExampleTables());
    root.RemoveTable("VariableTable");
    EXPECT_EQ(tables.ImpCnvTbl(), -1);
    EXPECT_EQ(QvsimCallCount("ReadTable"), 5);
    const std::string trace = Trace();
    const std::size_t notImported =
        trace.find("[ERR] : Not import tablefile VariableTable");
    const std::size_t setError = trace.find("[ERR] : SetTSetForm Error");
    ASSERT_NE(notImported, std::string::npos);
    ASSERT_NE(setError, std::string::npos);
    EXPECT_LT(notImported, setError);
    // PlanCSVTable, read after the missing file, is usable.
    EXPECT_EQ(tables.CreColTbl(), 0);
    EXPECT_EQ(tables.GetColTbl()->GetColCnt(), 1);
}

// The nth ReadTable call failing names the nth table of the import order
// and leaves the later files unread.
TEST_F(ImportTest, ReadFailureNamesTheTableAndStopsTheImport) {
    root.WriteTables(ExampleTables());
    for (int n = 1; n <= 6; ++n) {
        SCOPED_TRACE(kOpenErrors[n - 1]);
        QvsimReset();
        QvsimTraceAll(1, 1);
        ASSERT_EQ(QvsimFailCall("ReadTable", n), 0);
        CQvkdcCnvTblCtrl set;
        EXPECT_EQ(set.ImpCnvTbl(), -1);
        EXPECT_EQ(QvsimCallCount("ReadTable"), n);
        for (int k = 0; k < 6; ++k) {
            EXPECT_EQ(TraceHas(kOpenErrors[k]), k == n - 1) << kOpenErrors[k];
        }
        EXPECT_FALSE(TraceHas("CQvkdcCnvTblCtrl::SetTSetForm"));
        EXPECT_EQ(set.GetTSetForm(), "");
    }
}

TEST_F(ImportTest, MissingFilesAreSkippedWithoutMessage) {
    root.WriteTables(ExampleTables());
    root.RemoveTable("ExteriorTable");
    root.RemoveTable("SelectionToIntTable");
    ASSERT_EQ(QvsimFailCall("ReadTable", 3), 0);
    EXPECT_EQ(tables.ImpCnvTbl(), -1);
    // Calls 1..3 went to ProcessParametersTable, ParameterSettingTable and
    // VariableTable.
    EXPECT_TRUE(TraceHas("[ERR] : VariableTable Open Error"));
    EXPECT_EQ(TraceCount("[ERR] : "), 1);
}

TEST_F(ImportTest, FolderInPlaceOfATableIsAnUnreadableTable) {
    root.WriteTables(ExampleTables());
    root.PutFolderAt("ExteriorTable");
    EXPECT_EQ(tables.ImpCnvTbl(), -1);
    EXPECT_TRUE(TraceHas("[ERR] : ExternalNameTable Open Error"));
    EXPECT_EQ(QvsimCallCount("ReadTable"), 1);
}

TEST_F(ImportTest, UnreadablePlanCsvTableSkipsTheToolSetForm) {
    root.WriteTables(ExampleTables());
    root.PutFolderAt("PlanCSVTable");
    EXPECT_EQ(tables.ImpCnvTbl(), -1);
    EXPECT_TRUE(TraceHas("[ERR] : NeccesaryItemTabel Open Error"));
    EXPECT_EQ(tables.GetTSetForm(), "");
}

TEST_F(ImportTest, MissingPlanCsvTableIsNoError) {
    root.WriteTables(ExampleTables());
    root.RemoveTable("PlanCSVTable");
    root.WriteOptionFile("TitleA\n");
    EXPECT_EQ(tables.ImpCnvTbl(), 0);
    EXPECT_FALSE(TraceHas("[ERR]"));
    EXPECT_EQ(tables.CreColTbl(), 0);
    ASSERT_EQ(tables.GetColTbl()->GetColCnt(), 1);
    EXPECT_EQ(tables.GetColTbl()->GetColRow(0)->GetColFlg(), 2);
}

TEST_F(ImportTest, StatIsTracedOnlyWhenTracing) {
    root.WriteTables(ExampleTables());
    QvsimTraceAll(0, 0);
    EXPECT_EQ(tables.ImpCnvTbl(), 0);
    EXPECT_EQ(Trace(), "");
}

}  // namespace
