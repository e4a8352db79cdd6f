#include "check/FileCheck.h"

#include "check/TextForms.h"

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
        case kPlanCSVTableFile:
        case kCnvTblFileCount:
            break;
    }
    return "the files hold only the option columns";
}

// " (why)" for a file that cannot be read, when the system told why.
std::string Reason(const InputFile& f) {
    return f.WhyNotReadable().empty() ? "" : " (" + f.WhyNotReadable() + ")";
}

}  // namespace

void FileCheck::Run() {
    for (int i = 0; i < kCnvTblFileCount; ++i) CheckTable(static_cast<CnvTblIndex>(i));
    CheckOptionFile();
}

void FileCheck::CheckTable(CnvTblIndex index) {
    const InputFile& f = ctx_.in.Table(index);
    const std::string& file = f.Display();
    const CnvTblStop* stop = ctx_.build.Stop();
    const bool stopsHere = stop != nullptr && stop->kind == CnvTblStop::kUnreadable && stop->table == index;
    if (!f.Exists()) {
        if (index == kPlanCSVTableFile) {
            ctx_.out.Add(Severity::kWarning, file, 1,
                         "the file is missing; the files hold only the option columns" + ctx_.NearFile(index),
                         FindingCode::kMissingTable);
        }
        return;
    }
    // The import stops at the first table it cannot read; those after it
    // are not read, but would stop it once that one is mended.
    const std::string openError = Quoted(FailurePointOf(kCnvTblFiles[index].openError).Line());
    if (f.Utf16Marked()) {
        ctx_.out.Add(Severity::kError, file, 1,
                     "the file is saved as UTF-16, which the table reader refuses; the export stops with " +
                         openError + "; save it as 8-bit text",
                     FindingCode::kUtf16);
        return;
    }
    if (!f.Readable() || stopsHere) {
        // The existence test sees the entry, a link to nothing included:
        // the table counts as there, and its import fails.
        ctx_.out.Add(Severity::kError, file, 1,
                     "the file is there but cannot be read" + Reason(f) + "; the export fails at it with " +
                         openError,
                     FindingCode::kUnreadable);
        return;
    }
    if (f.Utf16Unmarked()) {
        ctx_.out.Add(Severity::kWarning, file, 1,
                     "the file looks like UTF-16 without a byte-order mark; the table reader reads it as "
                     "8-bit text with a NUL byte beside each character, so no name in it matches; "
                     "save it as 8-bit text",
                     FindingCode::kUtf16);
        return;
    }
    if (ctx_.build.Read(index) && !ctx_.build.HasRows(index)) {
        ctx_.out.Add(Severity::kWarning, file, 1,
                     std::string(f.Empty() ? "the file is empty (0 bytes)" : "the file holds no row") +
                         "; it counts as read, so " + EmptyTableEffect(index),
                     FindingCode::kEmptyFile);
        return;
    }
    if (const int line = f.NulLine()) {
        ctx_.out.Add(Severity::kWarning, file, line, "the line holds a NUL byte; lookups and titles end at it",
                     FindingCode::kNulByte);
    }
}

void FileCheck::CheckOptionFile() {
    const InputFile& f = ctx_.in.OptionFile();
    const std::string& file = f.Display();
    if (!f.Exists()) return;
    if (!f.Readable()) {
        ctx_.out.Add(Severity::kWarning, file, 1,
                     "the file is there but cannot be read" + Reason(f) + "; the export adds no option columns",
                     FindingCode::kUnreadable);
        return;
    }
    if (f.Utf16()) {
        ctx_.out.Add(Severity::kWarning, file, 1,
                     "the file is saved as UTF-16; the export ignores it and adds no option "
                     "columns; save it as 8-bit text",
                     FindingCode::kUtf16);
        return;
    }
    if (f.CrOnlyLines()) {
        ctx_.out.Add(Severity::kWarning, file, 1,
                     "the lines end in CR alone; the file is read as one line, so none of its "
                     "titles is recognised; save it with LF or CR LF line ends",
                     FindingCode::kCrLineEnds);
        return;
    }
    if (const int line = f.NulLine()) {
        ctx_.out.Add(Severity::kWarning, file, line,
                     "the line holds a NUL byte; its title ends at it or is not recognised", FindingCode::kNulByte);
    }
    if (const int line = f.CtrlZLine()) {
        ctx_.out.Add(Severity::kWarning, file, line,
                     "the line holds a Ctrl-Z byte (0x1A); on Windows the file is read as text and ends "
                     "there, so the titles from here on are lost",
                     FindingCode::kCtrlZ);
        // What its line then gives elsewhere (a title of the byte) follows from it.
        ctx_.out.MuteLine(file, line);
    }
}
