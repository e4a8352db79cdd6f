#include "check/FileCheck.h"

namespace {

// What an empty table does to the export.
const char* EmptyTableEffect(CnvTblIndex index) {
    switch (index) {
        case kExteriorTableFile:
            return "every column gets an empty title and no column has choices";
        case kProcessParametersTableFile:
            return "every column gets the key 0 and its cells stay empty";
        case kParameterSettingTableFile:
            return "no column has a value type and their cells stay empty";
        case kSelectionToIntTableFile:
            return "no choice has a value";
        case kVariableTableFile:
            return "the tool-set form is empty";
        default:
            return "the files hold only the option columns";
    }
}

}  // namespace

void FileCheck::Run() {
    for (int i = 0; i < kCnvTblFileCount; ++i) CheckTable(ctx_.in.Table(static_cast<CnvTblIndex>(i)));
    CheckOptionFile();
}

void FileCheck::CheckTable(const CheckedTable& t) {
    const std::string& file = t.file.Display();
    const CnvTblIndex index = static_cast<CnvTblIndex>(t.def - kCnvTblFiles);
    switch (t.state) {
        case TableState::kMissing:
            if (index == kVariableTableFile) {
                ctx_.out.Add(Severity::kError, file, 1,
                             "the file is missing; the export stops with "
                             "\"[ERR] : Not import tablefile VariableTable\"",
                             "missing-table");
            } else if (index == kPlanCSVTableFile) {
                ctx_.out.Add(Severity::kNote, file, 1,
                             "the file is missing; the files hold only the option columns",
                             "missing-table");
            }
            return;
        case TableState::kUnreadable:
            ctx_.out.Add(Severity::kError, file, 1,
                         std::string("the file cannot be read; the export stops with \"") +
                             t.def->openError + "\"",
                         "unreadable");
            return;
        case TableState::kUtf16:
            ctx_.out.Add(Severity::kError, file, 1,
                         std::string("the file is saved as UTF-16, which the table reader refuses; "
                                     "the export stops with \"") +
                             t.def->openError + "\"; save it as 8-bit text",
                         "utf16");
            return;
        case TableState::kEmpty:
            ctx_.out.Add(Severity::kWarning, file, 1,
                         std::string(t.file.Empty() ? "the file is empty (0 bytes)"
                                                    : "the file holds no row") +
                             "; it counts as read, so " + EmptyTableEffect(index),
                         "empty-file");
            return;
        default:
            break;
    }
    if (const int line = t.file.NulLine()) {
        ctx_.out.Add(Severity::kWarning, file, line,
                     "the line holds a NUL byte; lookups and titles end at it",
                     "nul-byte");
    }
}

void FileCheck::CheckOptionFile() {
    const InputFile& f = ctx_.in.OptionFile();
    const std::string& file = f.Display();
    if (!f.Exists()) return;
    if (!f.Readable()) {
        ctx_.out.Add(Severity::kWarning, file, 1,
                     "the file cannot be read; the export adds no option columns", "unreadable");
        return;
    }
    if (f.Utf16()) {
        ctx_.out.Add(Severity::kWarning, file, 1,
                     "the file is saved as UTF-16; the export ignores it and adds no option "
                     "columns; save it as 8-bit text",
                     "utf16");
        return;
    }
    if (f.CrOnlyLines()) {
        ctx_.out.Add(Severity::kWarning, file, 1,
                     "the lines end in CR alone; the file is read as one line, so none of its "
                     "titles is recognised; save it with LF or CR LF line ends",
                     "cr-line-ends");
        return;
    }
    if (const int line = f.NulLine()) {
        ctx_.out.Add(Severity::kWarning, file, line,
                     "the line holds a NUL byte; its title ends at it or is not recognised",
                     "nul-byte");
    }
}
