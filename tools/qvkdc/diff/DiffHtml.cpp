#include "diff/DiffHtml.h"

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "ExamineRun.h"
#include "ReadableFile.h"
#include "export/PlanOutcome.h"
#include "report/HtmlWriter.h"
#include "report/PageStyle.h"

namespace {

constexpr const char* kDiffStyle = R"(
td.changed { background: #e4eefd; }
td.emptied { background: #fde4e4; }
del { color: #a40e0e; }
ins { color: #0e6e2e; text-decoration: none; }
th.added, tr.added td { background: #e2f6e6; }
th.removed { background: #fde4e4; text-decoration: line-through; }
ul.causes { margin: 0; padding-left: 18px; }
p.failure { color: #a40e0e; }
)";

// The lines wanted of each file, read once: file -> line -> its text.
class CauseLines {
 public:
    void Want(const std::string& path, int line) { lines_[path][line]; }
    void Read() {
        for (auto& [path, lines] : lines_) {
            ReadableFile file;
            if (!file.Open(path.c_str()).ok()) continue;
            std::string bytes;
            char block[ReadableFile::kBlockSize];
            std::ptrdiff_t n = 0;
            while ((n = file.Read(block, sizeof block)) > 0) bytes.append(block, static_cast<std::size_t>(n));
            // Lines end in LF, CR LF or a lone CR, as the table reader counts them.
            int at = 1;
            std::size_t begin = 0;
            for (std::size_t i = 0; i <= bytes.size(); ++i) {
                if (i < bytes.size() && bytes[i] != '\n' && bytes[i] != '\r') continue;
                const auto it = lines.find(at);
                if (it != lines.end()) it->second.assign(bytes, begin, i - begin);
                if (i + 1 < bytes.size() && bytes[i] == '\r' && bytes[i + 1] == '\n') ++i;
                begin = i + 1;
                ++at;
            }
        }
    }
    const std::string* Line(const std::string& path, int line) const {
        const auto file = lines_.find(path);
        if (file == lines_.end()) return nullptr;
        const auto it = file->second.find(line);
        return it == file->second.end() ? nullptr : &it->second;
    }

 private:
    std::map<std::string, std::map<int, std::string>> lines_;
};

class Page {
 public:
    Page(const DiffResult& result, const DiffFacts& facts, ReportWriter* out)
        : result_(result), facts_(facts), html_(facts.run, out) {}

    void Render() {
        Number();
        html_.Put("<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
                  "<title>qvkdc diff</title><style>");
        html_.Put(kPageStyle);
        html_.Put(kDiffStyle);
        html_.Put("</style></head>\n<body>\n<h1>Files of the export, compared</h1>\n");
        Facts();
        html_.Put("<p class=\"summary\">");
        html_.Escaped(DiffSummary(result_));
        html_.Put("</p>\n");
        Failure("old", result_.old);
        Failure("new", result_.now);
        for (const std::string& line : result_.unreadable) {
            html_.Put("<p class=\"failure\">cannot read ");
            html_.Text(line);
            html_.Put("</p>\n");
        }
        Causes();
        html_.Put("<h2 id=\"files\">The files that changed</h2>\n");
        int n = 0;
        for (const FileChange& f : result_.files) {
            if (f.change != FileChangeKind::kSame) File(f, ++n);
        }
        if (n == 0) html_.Put("<p class=\"facts\">No file changed.</p>\n");
        html_.Put("</body></html>\n");
    }

 private:
    using CauseKey = std::tuple<DiffSide, std::string, int>;

    // Numbers every cause and reads the lines they name.
    void Number() {
        for (const FileChange& f : result_.files) {
            for (const CellChange& c : f.cells) {
                for (const DiffCause& cause : c.causes) {
                    const CauseKey key{cause.side, cause.file, cause.line};
                    auto [it, added] = ids_.emplace(key, static_cast<int>(order_.size()) + 1);
                    if (added) {
                        order_.push_back(&cause);
                        cells_.push_back(0);
                        lines_.Want(cause.path, cause.line);
                    }
                    ++cells_[static_cast<std::size_t>(it->second - 1)];
                }
            }
        }
        lines_.Read();
    }

    void Facts() {
        html_.Put("<p class=\"facts\">Old <code>");
        html_.Text(facts_.old);
        html_.Put(facts_.fromDisk ? "</code> (the files there)" : "</code> (its tables)");
        html_.Put(" &middot; new <code>");
        html_.Text(facts_.run.root.empty() ? "(the current folder)" : facts_.run.root);
        html_.Put("</code> &middot; model <code>");
        html_.Text(facts_.run.model);
        html_.Put("</code> &middot; compared ");
        html_.Escaped(facts_.run.date);
        html_.Put(" &middot; qvkdc ");
        html_.Escaped(facts_.run.version);
        html_.Put(" &middot; texts read as ");
        html_.Escaped(facts_.run.encoding->Name());
        html_.Put("</p>\n");
    }

    void Failure(const char* side, const DiffSideOutcome& outcome) {
        if (outcome.failure.empty()) return;
        html_.Put("<p class=\"failure\">The export through the ");
        html_.Put(side);
        html_.Put(" tables fails (status ");
        html_.Int(outcome.status);
        html_.Put("): ");
        for (const std::string& line : outcome.failure) {
            html_.Text(line);
            html_.Put(' ');
        }
        html_.Put("</p>\n");
    }

    void Causes() {
        if (order_.empty()) return;
        html_.Put("<h2 id=\"causes\">The table rows that made the changes</h2>\n<ul class=\"causes\">\n");
        for (std::size_t k = 0; k < order_.size(); ++k) {
            const DiffCause& cause = *order_[k];
            html_.Put("<li id=\"cause-");
            html_.Int(static_cast<long long>(k + 1));
            html_.Put("\"><span class=\"loc\" title=\"");
            html_.Text(cause.file);
            html_.Put("\">");
            html_.Put(DiffSideName(cause.side));
            html_.Put(' ');
            html_.Text(BaseName(cause.file));
            html_.Put(':');
            html_.Int(cause.line);
            html_.Put("</span> ");
            if (!cause.what.empty()) {
                html_.Text(cause.what);
                html_.Put(": ");
            }
            html_.Int(cells_[k]);
            html_.Put(cells_[k] == 1 ? " cell" : " cells");
            if (const std::string* row = lines_.Line(cause.path, cause.line)) {
                html_.Put("<pre class=\"src\"><span class=\"ln\">");
                html_.Int(cause.line);
                html_.Put("</span>");
                html_.Visible(*row);
                html_.Put("</pre>");
            }
            html_.Put("</li>\n");
        }
        html_.Put("</ul>\n");
    }

    void Titles(const char* what, const std::vector<std::string>& titles) {
        if (titles.empty()) return;
        html_.Put("<p class=\"facts\">Columns ");
        html_.Put(what);
        html_.Put(':');
        for (const std::string& title : titles) {
            html_.Put(" <code>");
            html_.Text(title);
            html_.Put("</code>");
        }
        html_.Put("</p>\n");
    }

    void RowLabel(const RowPlace& row) {
        html_.Put("row ");
        html_.Int(row.row);
        if (!row.hasProcess) return;
        html_.Put(", process <code>");
        html_.Text(ModelName(row.process));
        html_.Put("</code> (");
        html_.Escaped(IdText(row.process));
        html_.Put(')');
    }

    void Rows(const char* what, const std::vector<RowPlace>& rows) {
        if (rows.empty()) return;
        html_.Put("<p class=\"facts\">Rows ");
        html_.Put(what);
        html_.Put(':');
        for (const RowPlace& row : rows) {
            html_.Put(' ');
            RowLabel(row);
            html_.Put(';');
        }
        html_.Put("</p>\n");
    }

    // The cell's change: old → new, and links to its causes.
    void Change(const CellChange& c) {
        html_.Put("<del>");
        html_.Text(c.before);
        html_.Put("</del> \xE2\x86\x92 <ins>");
        html_.Text(c.after);
        html_.Put("</ins>");
        for (const DiffCause& cause : c.causes) {
            html_.Put(" <a class=\"why\" href=\"#cause-");
            html_.Int(ids_.at(CauseKey{cause.side, cause.file, cause.line}));
            html_.Put("\">");
            html_.Put(DiffSideName(cause.side));
            html_.Put(' ');
            html_.Text(BaseName(cause.file));
            html_.Put(':');
            html_.Int(cause.line);
            html_.Put("</a>");
        }
        if (c.emptied && !c.reason.empty()) {
            html_.Put(" <span class=\"why\" title=\"emptied\">");
            html_.Text(c.reason);
            html_.Put("</span>");
        }
    }

    void File(const FileChange& f, int n) {
        html_.Put("<h3 id=\"file-");
        html_.Int(n);
        html_.Put("\"><code>");
        html_.Text(f.name);
        html_.Put("</code> &middot; ");
        html_.Put(FileChangeName(f.change));
        html_.Put(" &middot; ");
        html_.Int(f.rows);
        html_.Put(f.rows == 1 ? " row" : " rows");
        html_.Put("</h3>\n");
        Titles("added", f.addedColumns);
        Titles("removed", f.removedColumns);
        Titles("moved", f.movedColumns);
        for (const auto& [from, to] : f.renamedColumns) {
            html_.Put("<p class=\"facts\">Column renamed: <code>");
            html_.Text(from);
            html_.Put("</code> \xE2\x86\x92 <code>");
            html_.Text(to);
            html_.Put("</code></p>\n");
        }
        Rows("added", f.addedRows);
        Rows("removed", f.removedRows);

        // The changed cells by row and title.
        std::map<std::pair<int, std::string>, const CellChange*> changed;
        for (const CellChange& c : f.cells) changed[{c.row.row, c.column}] = &c;
        std::set<int> added;
        for (const RowPlace& row : f.addedRows) added.insert(row.row);
        const std::set<std::string> addedTitles(f.addedColumns.begin(), f.addedColumns.end());
        html_.Put("<div class=\"csv\"><table class=\"preview\" data-file=\"");
        html_.Text(f.name);
        html_.Put("\"><thead><tr><th class=\"ln\">1</th>");
        for (const std::string& title : f.titles) {
            html_.Put(f.change == FileChangeKind::kChanged && addedTitles.count(title) > 0 ? "<th class=\"added\">"
                                                                                            : "<th>");
            html_.Text(title);
            html_.Put("</th>");
        }
        html_.Put("</tr></thead><tbody>\n");
        for (std::size_t r = 0; r < f.shown.size(); ++r) {
            const int row = static_cast<int>(r) + 1;
            html_.Put(f.change == FileChangeKind::kChanged && added.count(row) > 0 ? "<tr class=\"added\">" : "<tr>");
            html_.Put("<th class=\"ln\">");
            html_.Int(row + 1);
            html_.Put("</th>");
            for (std::size_t j = 0; j < f.titles.size(); ++j) {
                const auto it = changed.find({row, f.titles[j]});
                if (it == changed.end()) {
                    html_.Put("<td>");
                    html_.Text(f.shown[r].Cell(j));
                } else {
                    html_.Put(it->second->emptied ? "<td class=\"emptied\">" : "<td class=\"changed\">");
                    Change(*it->second);
                }
                html_.Put("</td>");
            }
            html_.Put("</tr>\n");
        }
        html_.Put("</tbody></table></div>\n");
        // The changes in the rows the table leaves out.
        std::vector<const CellChange*> later;
        for (const CellChange& c : f.cells) {
            if (static_cast<std::size_t>(c.row.row) > f.shown.size()) later.push_back(&c);
        }
        if (f.rows > static_cast<int>(f.shown.size())) {
            html_.Put("<p class=\"more\">");
            html_.Int(f.rows - static_cast<int>(f.shown.size()));
            html_.Put(" more rows");
            html_.Put(later.empty() ? ", none of them changed.</p>\n" : "; their changed cells:</p>\n");
        }
        if (later.empty()) return;
        html_.Put("<table class=\"preview later\"><tbody>\n");
        for (const CellChange* c : later) {
            html_.Put("<tr><th class=\"ln\">");
            html_.Int(c->row.row + 1);
            html_.Put("</th><td>");
            html_.Text(c->column);
            html_.Put(c->emptied ? "</td><td class=\"emptied\">" : "</td><td class=\"changed\">");
            Change(*c);
            html_.Put("</td></tr>\n");
        }
        html_.Put("</tbody></table>\n");
    }

    const DiffResult& result_;
    const DiffFacts& facts_;
    HtmlWriter html_;
    std::map<CauseKey, int> ids_;          // -> its number on the page
    std::vector<const DiffCause*> order_;  // by number
    std::vector<int> cells_;               // the cells each changed
    CauseLines lines_;
};

}  // namespace

void WriteDiffHtml(const DiffResult& result, const DiffFacts& facts, ReportWriter* out) {
    Page(result, facts, out).Render();
}
