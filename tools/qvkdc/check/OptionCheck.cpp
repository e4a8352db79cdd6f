#include "check/OptionCheck.h"

#include "check/NameHints.h"
#include "check/TextForms.h"

void OptionCheck::Run() {
    const InputFile& file = ctx_.in.OptionFile();
    if (file.Utf16() || file.CrOnlyLines()) return;  // its titles are garbage
    NameHints known;  // the titles of ExteriorTable's item rows
    for (const CnvOptionTrail& t : ctx_.build.OptionTitles()) {
        const std::string title = "title " + Quoted(t.title);
        switch (t.fate) {
            case OptionFate::kUnknown: {
                if (const std::string format = OptionLineFormat(t.title); !format.empty()) {
                    ctx_.out.Add(Severity::kWarning, file.Display(), t.line,
                                 "the line is " + format + ", while the option file is a list of " +
                                     ctx_.Shown(kExteriorTableFile) +
                                     " titles, one a line; the line adds no column: write the title alone",
                                 FindingCode::kOptionFormat);
                    break;
                }
                if (!ctx_.build.HasRows(kExteriorTableFile)) break;
                if (known.Empty()) {
                    for (const ItemRowTrail& r : ctx_.build.ItemRows()) known.Add(r.title);
                }
                ctx_.out.Add(Severity::kWarning, file.Display(), t.line,
                             title + " is not the title of an item in " + ctx_.Shown(kExteriorTableFile) +
                                 "; no column is added" + known.Hint(t.title),
                             FindingCode::kUnknownTitle);
                break;
            }
            case OptionFate::kRepeated:
                ctx_.out.Add(Severity::kWarning, file.Display(), t.line,
                             title + " repeats line " + std::to_string(t.other) + "; it is taken once",
                             FindingCode::kRepeatedTitle);
                break;
            case OptionFate::kStandard: {
                const ExaminedColumn& c = ctx_.build.Columns()[static_cast<std::size_t>(t.other)];
                ctx_.out.Add(Severity::kWarning, file.Display(), t.line,
                             title + " is already the title of the column of line " +
                                 std::to_string(c.trail.def.line) + " of " + ctx_.DefFile(c) +
                                 "; no second column is added",
                             FindingCode::kStandardTitle, t.other);
                break;
            }
            case OptionFate::kTaken:
                break;
        }
    }
}
