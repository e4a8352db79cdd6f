#include "diff/DiffReport.h"

#include <algorithm>
#include <map>
#include <tuple>
#include <utility>
#include <vector>

#include "ExamineRun.h"
#include "export/PlanOutcome.h"
#include "qvhostsim/qvhostsim.h"
#include "report/JsonWriter.h"

namespace {

// At most this many changed cells of a column in the text report; the
// JSON report has them all.
constexpr std::size_t kCellsShown = 20;

std::string Plural(int n, const char* one, const char* many) {
    return std::to_string(n) + ' ' + (n == 1 ? one : many);
}

// The last part of a shown path: "ExteriorTable.tsv".
std::string_view FileName(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// One cause with the cells it changed, for the text report's causes.
struct CauseGroup {
    const DiffCause* shown;  // the new side's row when there is one
    int cells = 0;
};

class DiffText {
 public:
    DiffText(const DiffResult& result, const DiffFacts& facts, ReportWriter* out)
        : result_(result), facts_(facts), out_(*out) {}

    void Write() {
        Side("old", result_.old);
        Side("new", result_.now);
        for (const std::string& line : result_.unreadable) Line("cannot read " + line);
        for (const FileChange& f : result_.files) File(f);
        if (!groups_.empty()) {
            Line("causes:");
            for (const auto& [key, group] : groups_) {
                Put("  ");
                Put(FileName(group.shown->file));
                Put(":" + std::to_string(group.shown->line) + " ");
                Put(std::get<0>(key));
                Line(": " + Plural(group.cells, "cell", "cells"));
            }
        }
        Line(DiffSummary(result_));
    }

 private:
    // A text of the tables, the model or a file name, read in the code
    // page; qvkdc's own UTF-8 ("→") goes to out_ as it is.
    void Put(std::string_view text) { out_.Put(facts_.run.Utf8(text, &converted_)); }
    void Line(std::string_view text) {
        Put(text);
        out_.Put('\n');
    }
    void Quote(std::string_view text) {
        out_.Put('"');
        Put(text);
        out_.Put('"');
    }

    void Side(const char* name, const DiffSideOutcome& side) {
        if (side.failure.empty()) return;
        Line(std::string("the export through the ") + name + " tables fails (status " + std::to_string(side.status) +
             "): " + side.failure[0]);
        for (std::size_t i = 1; i < side.failure.size(); ++i) Line("  " + side.failure[i]);
    }

    void Row(const RowPlace& row) {
        Put("row " + std::to_string(row.row));
        if (!row.hasProcess) return;
        Put(", process ");
        Quote(ModelName(row.process));
        Put(" (" + IdText(row.process));
        const int line = QvsimModelLine(&row.process);
        if (line > 0) Put(", " + facts_.run.model + ":" + std::to_string(line));
        Put(")");
    }

    void Titles(const char* what, const std::vector<std::string>& titles) {
        for (const std::string& title : titles) {
            Put(std::string("  column ") + what + ": ");
            Quote(title);
            out_.Put('\n');
        }
    }

    void File(const FileChange& f) {
        if (f.change == FileChangeKind::kSame) return;
        Quote(f.name);
        Put(std::string(": ") + FileChangeName(f.change));
        if (f.change != FileChangeKind::kChanged) {
            Line(", " + Plural(f.rows, "row", "rows"));
            return;
        }
        out_.Put('\n');
        Titles("added", f.addedColumns);
        Titles("removed", f.removedColumns);
        for (const auto& [from, to] : f.renamedColumns) {
            Put("  column renamed: ");
            Quote(from);
            out_.Put(" \xE2\x86\x92 ");
            Quote(to);
            out_.Put('\n');
        }
        Titles("moved", f.movedColumns);
        for (const RowPlace& row : f.addedRows) {
            Put("  row added: ");
            Row(row);
            out_.Put('\n');
        }
        for (const RowPlace& row : f.removedRows) {
            Put("  row removed: ");
            Row(row);
            out_.Put('\n');
        }
        // The cells by column, in the order their columns first changed.
        std::vector<std::string> order;
        std::map<std::string, std::vector<const CellChange*>> byColumn;
        for (const CellChange& c : f.cells) {
            std::vector<const CellChange*>& cells = byColumn[c.column];
            if (cells.empty()) order.push_back(c.column);
            cells.push_back(&c);
            Count(c);
        }
        for (const std::string& column : order) {
            const std::vector<const CellChange*>& cells = byColumn[column];
            // Rows told once for the column when every cell names them.
            const std::string rows = Rows(*cells[0]);
            const bool alike = std::all_of(cells.begin(), cells.end(),
                                           [&](const CellChange* c) { return Rows(*c) == rows; });
            Put("  ");
            Quote(column);
            Line(": " + Plural(static_cast<int>(cells.size()), "cell", "cells") + (alike ? rows : std::string()));
            for (std::size_t k = 0; k < cells.size() && k < kCellsShown; ++k) Cell(*cells[k], !alike);
            if (cells.size() > kCellsShown) {
                Line("    and " + Plural(static_cast<int>(cells.size() - kCellsShown), "more cell", "more cells"));
            }
        }
    }

    // " [old FILE:LINE, new FILE:LINE]": the rows that made c's change.
    static std::string Rows(const CellChange& c) {
        std::string rows;
        for (const DiffCause& cause : c.causes) {
            rows += rows.empty() ? " [" : ", ";
            rows += std::string(DiffSideName(cause.side)) + ' ' + std::string(FileName(cause.file)) + ':' +
                    std::to_string(cause.line);
        }
        return rows.empty() ? rows : rows + "]";
    }

    void Cell(const CellChange& c, bool withRows) {
        Put("    ");
        Row(c.row);
        Put(": ");
        Quote(c.before);
        out_.Put(" \xE2\x86\x92 ");
        Quote(c.after);
        if (c.emptied) Put(c.reason.empty() ? " emptied" : " emptied: " + c.reason);
        if (withRows) Put(Rows(c));
        out_.Put('\n');
    }

    // Counts the cell under each cause that tells what it changed.
    void Count(const CellChange& c) {
        std::map<std::string, const DiffCause*> shown;  // what -> its row
        for (const DiffCause& cause : c.causes) {
            if (cause.what.empty()) continue;
            const DiffCause*& at = shown[cause.what];
            if (at == nullptr || cause.side == DiffSide::kNew) at = &cause;
        }
        for (const auto& [what, cause] : shown) {
            CauseGroup& group = groups_[{what, cause->file, cause->line}];
            if (group.cells == 0) group.shown = cause;
            ++group.cells;
        }
    }

    const DiffResult& result_;
    const DiffFacts& facts_;
    ReportWriter& out_;
    std::string converted_;
    std::map<std::tuple<std::string, std::string, int>, CauseGroup> groups_;
};

class DiffJson {
 public:
    DiffJson(const DiffResult& result, const DiffFacts& facts, ReportWriter* out)
        : result_(result), facts_(facts), json_(out) {}

    void Write() {
        json_.BeginObject();
        json_.Member("formatVersion", 1);
        json_.Key("run");
        json_.BeginObject();
        Text("model", facts_.run.model);
        Text("old", facts_.old);
        json_.Member("oldIsFolder", facts_.fromDisk);
        Text("new", facts_.run.root);
        json_.Member("date", facts_.run.date);
        json_.Member("version", facts_.run.version);
        json_.Member("encoding", facts_.run.encoding->Name());
        json_.EndObject();
        json_.Key("sides");
        json_.BeginObject();
        Side("old", result_.old);
        Side("new", result_.now);
        json_.EndObject();
        json_.Key("unreadable");
        json_.BeginArray();
        for (const std::string& line : result_.unreadable) Text(line);
        json_.EndArray();
        json_.Key("files");
        json_.BeginArray();
        for (const FileChange& f : result_.files) File(f);
        json_.EndArray();
        const DiffCounts counts = CountChanges(result_);
        json_.Key("summary");
        json_.BeginObject();
        json_.Key("files");
        json_.BeginObject();
        json_.Member("changed", counts.changed);
        json_.Member("added", counts.added);
        json_.Member("removed", counts.removed);
        json_.Member("same", counts.same);
        json_.EndObject();
        json_.Key("rows");
        json_.BeginObject();
        json_.Member("added", counts.rowsAdded);
        json_.Member("removed", counts.rowsRemoved);
        json_.EndObject();
        json_.Member("cells", counts.cells);
        json_.Member("emptied", counts.emptied);
        json_.EndObject();
        json_.EndObject();
    }

 private:
    void Text(std::string_view text) { json_.String(facts_.run.Utf8(text, &converted_)); }
    void Text(std::string_view name, std::string_view text) {
        json_.Key(name);
        Text(text);
    }

    void Side(const char* name, const DiffSideOutcome& side) {
        json_.Key(name);
        json_.BeginObject();
        json_.Member("status", side.status);
        json_.Key("failure");
        if (side.failure.empty()) {
            json_.Null();
        } else {
            json_.BeginArray();
            for (const std::string& line : side.failure) Text(line);
            json_.EndArray();
        }
        json_.EndObject();
    }

    void Process(const RowPlace& row) {
        json_.Key("process");
        if (!row.hasProcess) {
            json_.Null();
            return;
        }
        json_.BeginObject();
        json_.Key("id");
        json_.BeginArray();
        for (const int part : {row.process.objid, row.process.aplsec, row.process.insid, row.process.entid}) {
            json_.Int(part);
        }
        json_.EndArray();
        Text("name", ModelName(row.process));
        const int line = QvsimModelLine(&row.process);
        json_.Key("line");
        if (line > 0) {
            json_.Int(line);
        } else {
            json_.Null();
        }
        json_.EndObject();
    }

    void Rows(const char* name, const std::vector<RowPlace>& rows) {
        json_.Key(name);
        json_.BeginArray();
        for (const RowPlace& row : rows) {
            json_.BeginObject();
            json_.Member("row", row.row);
            Process(row);
            json_.EndObject();
        }
        json_.EndArray();
    }

    void Titles(const char* name, const std::vector<std::string>& titles) {
        json_.Key(name);
        json_.BeginArray();
        for (const std::string& title : titles) Text(title);
        json_.EndArray();
    }

    void File(const FileChange& f) {
        json_.BeginObject();
        Text("name", f.name);
        json_.Member("change", FileChangeName(f.change));
        json_.Member("rowCount", f.rows);
        json_.Key("columns");
        json_.BeginObject();
        Titles("added", f.addedColumns);
        Titles("removed", f.removedColumns);
        json_.Key("renamed");
        json_.BeginArray();
        for (const auto& [from, to] : f.renamedColumns) {
            json_.BeginObject();
            Text("from", from);
            Text("to", to);
            json_.EndObject();
        }
        json_.EndArray();
        Titles("moved", f.movedColumns);
        json_.EndObject();
        json_.Key("rows");
        json_.BeginObject();
        Rows("added", f.addedRows);
        Rows("removed", f.removedRows);
        json_.EndObject();
        json_.Key("cells");
        json_.BeginArray();
        for (const CellChange& c : f.cells) Cell(c);
        json_.EndArray();
        json_.EndObject();
    }

    void Cell(const CellChange& c) {
        json_.BeginObject();
        json_.Member("row", c.row.row);
        Process(c.row);
        Text("column", c.column);
        Text("old", c.before);
        Text("new", c.after);
        json_.Member("emptied", c.emptied);
        json_.Key("reason");
        if (c.reason.empty()) {
            json_.Null();
        } else {
            Text(c.reason);
        }
        json_.Key("causes");
        json_.BeginArray();
        for (const DiffCause& cause : c.causes) {
            json_.BeginObject();
            Text("file", cause.file);
            json_.Member("line", cause.line);
            json_.Member("side", DiffSideName(cause.side));
            json_.Key("what");
            if (cause.what.empty()) {
                json_.Null();
            } else {
                Text(cause.what);
            }
            json_.EndObject();
        }
        json_.EndArray();
        json_.EndObject();
    }

    const DiffResult& result_;
    const DiffFacts& facts_;
    JsonWriter json_;
    std::string converted_;
};

}  // namespace

DiffCounts CountChanges(const DiffResult& result) {
    DiffCounts counts;
    for (const FileChange& f : result.files) {
        switch (f.change) {
            case FileChangeKind::kSame:
                ++counts.same;
                break;
            case FileChangeKind::kChanged:
                ++counts.changed;
                break;
            case FileChangeKind::kAdded:
                ++counts.added;
                break;
            case FileChangeKind::kRemoved:
                ++counts.removed;
                break;
        }
        counts.rowsAdded += static_cast<int>(f.addedRows.size());
        counts.rowsRemoved += static_cast<int>(f.removedRows.size());
        counts.cells += static_cast<int>(f.cells.size());
        for (const CellChange& c : f.cells) counts.emptied += c.emptied;
    }
    return counts;
}

std::string DiffSummary(const DiffResult& result) {
    if (!result.Changed()) return "no change";
    const DiffCounts c = CountChanges(result);
    return Plural(c.same + c.changed + c.added + c.removed, "file", "files") + ": " + std::to_string(c.changed) +
           " changed, " + std::to_string(c.added) + " added, " + std::to_string(c.removed) + " removed, " +
           std::to_string(c.same) + " same; rows: " + std::to_string(c.rowsAdded) + " added, " +
           std::to_string(c.rowsRemoved) + " removed; cells: " + std::to_string(c.cells) + " changed, " +
           std::to_string(c.emptied) + " emptied";
}

void WriteDiffText(const DiffResult& result, const DiffFacts& facts, ReportWriter* out) {
    DiffText(result, facts, out).Write();
}

void WriteDiffJson(const DiffResult& result, const DiffFacts& facts, ReportWriter* out) {
    DiffJson(result, facts, out).Write();
}
