#include "diff/ExportSide.h"

#include <map>
#include <utility>

std::vector<FileColumn> FileColumnsOf(const ExaminedTables& tables) {
    std::vector<FileColumn> columns;
    std::map<std::string, int> seen;  // item -> its columns so far
    for (const ExaminedColumn& c : tables.Columns()) {
        FileColumn column;
        column.title = c.ExName();
        column.index = static_cast<int>(columns.size());
        if (c.trail.colFlg == CnvColFlg::kOption) {
            column.identity = "option " + c.ExName();
        } else {
            const int n = ++seen[c.ItName()];
            column.identity = "item " + c.ItName() + (n > 1 ? "#" + std::to_string(n) : std::string());
        }
        columns.push_back(std::move(column));
    }
    return columns;
}

void ExportSide::Run(const std::vector<ModelId>& plans, const std::string& out, const std::string& name,
                     const FileSink& sink) {
    {
        // Kept only as far as the causes need them: the run builds its own.
        ExaminedTables tables;
        tables.Build();
        if (tables.FailedStep() == FailStep::kNone) {
            columns_ = FileColumnsOf(tables);
            tables_ = SideTables(tables);
        }
    }
    sink_ = sink;
    RunRequest request;
    request.plans = plans.data();
    request.count = static_cast<int>(plans.size());
    request.out = out;
    request.name = name;
    request.files = RunFiles::kDiscard;
    result_ = RunExport(request, this);
}

void ExportSide::Listed(int, int) {
    file_ = PlanCsv();
    file_.columns = columns_;
    process_ = -1;
}

void ExportSide::Converted(const QvkdcRunPlace& place, int, std::string_view text, const CellFacts& facts) {
    if (place.process != process_) {
        process_ = place.process;
        FileRow& row = file_.rows.emplace_back();
        row.hasProcess = true;
        row.process = place.prcsId;
        row.ends.reserve(columns_.size());
        row.origins.reserve(columns_.size());
    }
    FileRow& row = file_.rows.back();
    row.Add(text);
    row.origins.push_back(CellOrigin{facts.reason, facts.key, facts.code, facts.choice});
}

void ExportSide::Written(int plan, std::string_view path, int rows) {
    // A file of columns without cells: its rows are known by their places.
    while (static_cast<int>(file_.rows.size()) < rows) file_.rows.emplace_back();
    const std::size_t slash = path.find_last_of("\\/");
    file_.name = std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
    sink_(plan, std::move(file_));
    file_ = PlanCsv();
}
