#include "check/OptionCheck.h"

#include "check/NearestWord.h"
#include "check/TextForms.h"

void OptionCheck::Run() {
    const InputFile& file = ctx_.in.OptionFile();
    const CheckedTable& exterior = ctx_.in.Table(kExteriorTableFile);
    if (!ctx_.in.OptionTitlesTrusted()) return;
    std::vector<std::string_view> known;
    for (const TableRow& row : exterior.rows.Rows()) {
        if (row.Cell(1).find(':') == std::string::npos) known.push_back(row.Cell(1));
    }
    const std::vector<OptionLine>& lines = ctx_.in.OptionTitles();
    for (const OptionTitleFate& f : ctx_.columns.OptionFates()) {
        const std::string title = "title " + Quoted(f.line->title);
        switch (f.fate) {
            case OptionFate::kUnknown: {
                if (!exterior.Usable()) break;
                const std::string near = NearestWord(f.line->title, known);
                ctx_.out.Add(Severity::kWarning, file.Display(), f.line->line,
                             title + " is not the title of an item in " + exterior.file.Display() +
                                 "; no column is added" +
                                 (near.empty() ? "" : " (did you mean " + Quoted(near) + "?)"),
                             "unknown-title");
                break;
            }
            case OptionFate::kRepeated:
                ctx_.out.Add(Severity::kWarning, file.Display(), f.line->line,
                             title + " repeats line " +
                                 std::to_string(lines[static_cast<std::size_t>(f.other)].line) +
                                 "; it is taken once",
                             "repeated-title");
                break;
            case OptionFate::kStandard: {
                const ColumnSpec& c = ctx_.columns.Columns()[static_cast<std::size_t>(f.other)];
                ctx_.out.Add(Severity::kWarning, file.Display(), f.line->line,
                             title + " is already the title of the column of line " +
                                 std::to_string(c.line) + " of " + *c.file +
                                 "; no second column is added",
                             "standard-title", f.other);
                break;
            }
            default:
                break;
        }
    }
}
