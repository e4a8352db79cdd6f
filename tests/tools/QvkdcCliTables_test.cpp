// `qvkdc tables`: the column table and the selection table built as an
// export builds them, printed, and the trace of the five table operations.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "support/ExportTables.h"
#include "support/RunProcess.h"
#include "support/TableRoot.h"

namespace {

const char kColDump[] =
    "ColFlg\tItName\tExName\tPrmKey\tPriority\tValType\tSubType\tIsBlank\tIsRepeat\n"
    "1\titemN\tN\t100\t1\t65\t65\t0\t0\n"
    "1\titemMode\tMode\t200\t2\t1003\t0\t0\t0\n"
    "1\titemZ\tZ\t300\t3\t1002\t0\t0\t0\n"
    "2\titemX\tExtra\t400\t9\t1001\t0\t1\t1\n";
const char kSlctDump[] =
    "ColItName\tSlctItName\tSlctExName\tSlctVal\n"
    "itemMode\tselAB\ta,b\t1\n"
    "\t\tselOff\toff\t0\n";

class CliTablesTest : public ::testing::Test {
 protected:
    void SetUp() override {
        root_.WriteTables(ExportTables());
        // N is a PlanCSVTable title already; Nope is in no table.
        root_.WriteOptionFile("Extra # added\nN\nNope\n");
    }
    ProcessResult Tables() {
        return RunProcess(QvkdcCliPath(),
                          {"tables", "--root", root_.Path(), "--trace", root_.Path() + "/trace.txt"});
    }
    std::string Trace() const {
        std::ifstream in(root_.Path() + "/trace.txt", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    TableRoot root_;
};

TEST_F(CliTablesTest, PrintsBothDumpsAndTracesTheFiveOperations) {
    const ProcessResult r = Tables();
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, std::string(kColDump) + "\n" + kSlctDump + "status: 0\n");
    EXPECT_EQ(Trace(), std::string(">> CQvkdcCnvTblCtrl::ImpCnvTbl [577686]\n"
                                   "  >> CQvkdcCnvTblCtrl::SetTSetForm [577686]\n"
                                   "  stat = 0\n"
                                   "  << CQvkdcCnvTblCtrl::SetTSetForm [577686]\n"
                                   "stat = 0\n"
                                   "<< CQvkdcCnvTblCtrl::ImpCnvTbl [577686]\n"
                                   ">> CQvkdcCnvTblCtrl::CreColTbl [577686]\n"
                                   "  >> CQvkdcCnvTblCtrl::GetOptionCol [577686]\n"
                                   "  stat = 0\n"
                                   "  << CQvkdcCnvTblCtrl::GetOptionCol [577686]\n"
                                   "[INF] : Invalid Row in rc_pln2usr.ini \n") +
                           kColDump +
                           "stat = 0\n"
                           "<< CQvkdcCnvTblCtrl::CreColTbl [577686]\n"
                           ">> CQvkdcCnvTblCtrl::CreSlctTbl [577686]\n" +
                           kSlctDump +
                           "stat = 0\n"
                           "<< CQvkdcCnvTblCtrl::CreSlctTbl [577686]\n");
}

TEST_F(CliTablesTest, FailedImportPrintsNoDump) {
    root_.RemoveTable("VariableTable");
    const ProcessResult r = Tables();
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(r.out, "status: -1\n");
    EXPECT_NE(r.err.find("imported"), std::string::npos) << r.err;
    const std::string trace = Trace();
    EXPECT_NE(trace.find("  [ERR] : Not import tablefile VariableTable\n  stat = -1\n"),
              std::string::npos)
        << trace;
    EXPECT_NE(trace.find("\n[ERR] : SetTSetForm Error\nstat = -1\n<< CQvkdcCnvTblCtrl::ImpCnvTbl"),
              std::string::npos)
        << trace;
    EXPECT_EQ(trace.find("CreColTbl"), std::string::npos) << trace;
}

}  // namespace
