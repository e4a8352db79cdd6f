#include "report/PreviewHtml.h"

#include <string>
#include <string_view>
#include <vector>

#include "report/CsvFields.h"

namespace {

class Preview {
 public:
    Preview(const ExportPreview& preview, const ColumnReport& columns, const FindingIndex& index, HtmlWriter* html)
        : preview_(preview), columns_(columns), index_(index), html_(*html) {}

    void Render() {
        html_.Put("<h2 id=\"files\">The files, as the export writes them</h2>\n");
        if (preview_.Plans().empty()) {
            html_.Put("<p class=\"facts\">The export writes no file.</p>\n");
            return;
        }
        html_.Put("<p class=\"facts\">Converted by the export's own run. An empty cell says why; its link "
                  "leads to the finding that explains it.</p>\n");
        int n = 0;
        for (const ExportPreview::Plan& plan : preview_.Plans()) File(plan, ++n);
    }

 private:
    void File(const ExportPreview::Plan& plan, int n) {
        html_.Put("<h3 id=\"file-");
        html_.Int(n);
        html_.Put("\">");
        html_.Text(plan.title);
        if (!plan.file.empty()) {
            html_.Put(" <span class=\"loc\" title=\"");
            html_.Text(plan.file);
            html_.Put("\">");
            html_.Text(BaseName(plan.file));
            html_.Put("</span>");
        }
        html_.Put(" &middot; ");
        html_.Int(plan.rows);
        html_.Put(plan.rows == 1 ? " row" : " rows");
        html_.Put("</h3>\n<div class=\"csv\"><table class=\"preview\" data-file=\"");
        html_.Text(BaseName(plan.file));
        html_.Put("\"><thead><tr><th class=\"ln\">1</th>");
        const int columns = preview_.Columns();
        for (int j = 0; j < columns; ++j) {
            columns_.Get(static_cast<std::size_t>(j), &entry_, false);
            // A column some finding is about is marked, linked to the first.
            int count = 0;
            const int first = index_.FirstAbout(j, &count);
            html_.Put(first > 0 ? "<th class=\"flagged\"><a href=\"#column-" : "<th><a href=\"#column-");
            html_.Int(j + 1);
            html_.Put("\">");
            html_.Text(entry_.title);
            html_.Put("</a>");
            if (first > 0) {
                html_.Put("<a class=\"flag\" href=\"#finding-");
                html_.Int(first);
                html_.Put("\" title=\"");
                html_.Int(count);
                html_.Put(count == 1 ? " finding is about this column\">!</a>" : " findings are about this column\">!</a>");
            }
            html_.Put("</th>");
        }
        html_.Put("</tr></thead><tbody>\n");
        auto note = plan.notes.begin();
        for (int row = 0; row < plan.shown; ++row) {
            cells_.clear();
            for (int j = 0; j < columns; ++j) cells_.push_back(plan.Cell(row, j, columns));
            // A row a reader reads as more or fewer fields than the header:
            // marked, and the cell where it splits with it.
            const int fields = CsvFieldCount(cells_);
            if (fields == columns) {
                html_.Put("<tr><th class=\"ln\">");
            } else {
                html_.Put("<tr class=\"split\"><th class=\"ln\" title=\"a CSV reader reads ");
                html_.Int(fields);
                html_.Put(fields == 1 ? " field" : " fields");
                html_.Put(" in this row, not ");
                html_.Int(columns);
                html_.Put("\">");
            }
            html_.Int(row + 2);
            html_.Put("</th>");
            bool splitShown = fields == columns;
            for (int j = 0; j < columns; ++j) {
                const std::string_view text = cells_[static_cast<std::size_t>(j)];
                const bool told = note != plan.notes.end() && note->row == row && note->column == j;
                const bool splits = !splitShown && !IsCsvField(text);
                splitShown = splitShown || splits;
                html_.Put(text.empty() ? "<td class=\"empty" : told ? "<td class=\"odd" : "<td class=\"");
                html_.Put(splits ? " splits\" title=\"the row splits here: the export writes this cell "
                                   "unquoted\">"
                                 : "\">");
                // The value as a reader takes it: quotes off, doubled ones single.
                CsvValue(text, &value_);
                html_.Text(value_);
                if (told) {
                    Why(j, note->why);
                    ++note;
                }
                html_.Put("</td>");
            }
            html_.Put("</tr>\n");
        }
        html_.Put("</tbody></table></div>\n");
        if (plan.rows > plan.shown) {
            html_.Put("<p class=\"more\">");
            html_.Int(plan.rows - plan.shown);
            html_.Put(plan.rows - plan.shown == 1 ? " more row</p>\n" : " more rows</p>\n");
        }
    }

    // Why a cell is as it is, linked to the finding that explains it, or
    // else to its column.
    void Why(int column, const CellNote& why) {
        const int finding = index_.FindAny(column, CellNoteCodes(why), why.Detail());
        html_.Put(finding > 0 ? "<a class=\"why\" href=\"#finding-" : "<a class=\"why\" href=\"#column-");
        html_.Int(finding > 0 ? finding : column + 1);
        CellNoteText(why, &brief_, &full_);
        html_.Put("\" title=\"");
        html_.Escaped(full_);
        html_.Put("\">");
        html_.Escaped(brief_);
        html_.Put("</a>");
    }

    const ExportPreview& preview_;
    const ColumnReport& columns_;
    const FindingIndex& index_;
    HtmlWriter& html_;
    ColumnEntry entry_;  // the column whose title is written, reused
    std::vector<std::string_view> cells_;  // the row being written, reused
    std::string value_;                    // a cell's value, reused
    std::string brief_, full_;  // why a cell is as it is, reused
};

}  // namespace

void PreviewHtml(const ExportPreview& preview, const ColumnReport& columns, const FindingIndex& index,
                 HtmlWriter* html) {
    Preview(preview, columns, index, html).Render();
}
