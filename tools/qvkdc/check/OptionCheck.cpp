#include "check/OptionCheck.h"

#include "check/NearestWord.h"
#include "check/TextForms.h"

namespace {

// The titles of ExteriorTable's item rows (no ":" in cell 1), in file order.
std::vector<std::string> ItemTitles(CQvlbwTableA& exterior) {
    std::vector<std::string> titles;
    CQvlbwStringArray row;
    exterior.MoveFirst();
    while (exterior.GetNextRow(&row) != 0) {
        if (row.GetSize() == 0) continue;
        const std::string_view title = row.GetAt(0);
        if (title.find(':') == std::string_view::npos) titles.emplace_back(title);
    }
    return titles;
}

}  // namespace

void OptionCheck::Run() {
    const InputFile& file = ctx_.in.OptionFile();
    if (file.Utf16() || file.CrOnlyLines()) return;  // its titles are garbage
    std::vector<std::string> titles;
    std::vector<std::string_view> known;
    for (const OptionTitleTrail& t : ctx_.build.OptionTitles()) {
        const std::string title = "title " + Quoted(t.title);
        switch (t.fate) {
            case OptionFate::kUnknown: {
                if (!ctx_.build.HasRows(kExteriorTableFile)) break;
                if (titles.empty()) {
                    titles = ItemTitles(ctx_.build.Tables().GetReader(kExteriorTableFile));
                    known.assign(titles.begin(), titles.end());
                }
                const std::string near = NearestWord(t.title, known);
                ctx_.out.Add(Severity::kWarning, file.Display(), t.line,
                             title + " is not the title of an item in " + ctx_.Shown(kExteriorTableFile) +
                                 "; no column is added" +
                                 (near.empty() ? "" : " (did you mean " + Quoted(near) + "?)"),
                             "unknown-title");
                break;
            }
            case OptionFate::kRepeated:
                ctx_.out.Add(Severity::kWarning, file.Display(), t.line,
                             title + " repeats line " + std::to_string(t.other) + "; it is taken once",
                             "repeated-title");
                break;
            case OptionFate::kStandard: {
                const CheckedColumn& c = ctx_.build.Columns()[static_cast<std::size_t>(t.other)];
                ctx_.out.Add(Severity::kWarning, file.Display(), t.line,
                             title + " is already the title of the column of line " +
                                 std::to_string(c.trail.def.line) + " of " + ctx_.DefFile(c) +
                                 "; no second column is added",
                             "standard-title", t.other);
                break;
            }
            default:
                break;
        }
    }
}
