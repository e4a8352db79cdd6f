// ExportSide: one side of a diff that is an export: the tables under the
// current folder, built by the library's own steps, and the library's run
// over a block of plans in process, writing nothing. Each file the run
// would write is handed on whole as soon as its plan is done, with its
// columns as the tables define them and each cell as the converter made
// it, so that the other side can be compared plan by plan.
#ifndef QVKDC_TOOLS_DIFF_EXPORTSIDE_H
#define QVKDC_TOOLS_DIFF_EXPORTSIDE_H

#include <functional>
#include <string>
#include <vector>

#include "ExamineRun.h"
#include "ExamineTables.h"
#include "QvkdcRunObserver.h"
#include "diff/PlanCsv.h"
#include "diff/SideTables.h"

class ExportSide : public QvkdcRunObserver {
 public:
    // Told of each plan's file (plan: its index in the block).
    using FileSink = std::function<void(int plan, PlanCsv&& file)>;

    ExportSide() = default;
    ExportSide(const ExportSide&) = delete;
    ExportSide& operator=(const ExportSide&) = delete;

    // Builds the tables under the current folder and runs the export of
    // plans into out under name (the files named as that export names
    // them, none written), handing each file to sink. REQUIRES: called once.
    void Run(const std::vector<ModelId>& plans, const std::string& out, const std::string& name,
             const FileSink& sink);

    // What the side keeps of the tables the run used, and the run's status
    // and what failed.
    const SideTables& Tables() const { return tables_; }
    const RunResult& Result() const { return result_; }
    // The columns of every file, in order.
    const std::vector<FileColumn>& Columns() const { return columns_; }

    void Listed(int plan, int count) override;
    void Typed(const QvkdcRunPlace&, int, bool) override {}
    void Converted(const QvkdcRunPlace& place, int column, std::string_view text, const CellFacts& facts) override;
    void Rejected(int, bool, std::string_view, std::string_view) override {}
    void NoRows(int) override {}
    void Written(int plan, std::string_view path, int rows) override;

 private:
    SideTables tables_;
    std::vector<FileColumn> columns_;
    RunResult result_;
    FileSink sink_;
    PlanCsv file_;     // of the plan being converted
    int process_ = -1;  // the process of the file's last row
};

// The columns of a file the tables define: their titles and identities.
std::vector<FileColumn> FileColumnsOf(const ExaminedTables& tables);

#endif  // QVKDC_TOOLS_DIFF_EXPORTSIDE_H
