#include "check/FindingCodes.h"

#include <unordered_map>

#include "FailurePoints.h"

namespace {

// The failure line of step, in quotes, as the texts quote it.
std::string Line(FailStep step) { return std::string("\"") + FailurePointOf(step).Line() + '"'; }

// The entry of code: its name, severities and texts. A switch, so that
// the compiler refuses an enumerator without its entry (-Wswitch).
FindingCodeEntry EntryOf(FindingCode code) {
    using C = FindingCode;
    using S = Severity;
    switch (code) {
        // The files and rows at which the export's table steps stop.
        case C::kUnreadable:
            return {code, "unreadable", {S::kError, S::kWarning},
                "a table file that exists but cannot be read (a folder, no permission, a link to nothing "
                    "or a loop of links, with the system's reason): the export fails at it, PlanCSVTable "
                    "included (docs/configuration.md, \"Links\"); a warning for the option file, which then "
                    "adds no columns",
                "Put a readable regular file at the path: replace the folder or the broken link by the file, or "
                    "let the user who exports read it.", true};
        case C::kMissingTable:
            return {code, "missing-table", {S::kError, S::kWarning},
                "VariableTable missing; ExteriorTable, ProcessParametersTable or ParameterSettingTable "
                    "missing while a column needs it; SelectionToIntTable missing while there are choice rows "
                    "(named at the first place the export stops). A warning: PlanCSVTable missing (the files "
                    "hold only the option columns)",
                "Put the named table into MIRVANE/CAM/KR/Tables/, even if it holds no more than a heading row.", true};
        case C::kMissingChoiceValue:
            return {code, "missing-choice-value", {S::kError},
                "a choice whose internal name has no SelectionToIntTable row",
                "Add a SelectionToIntTable row: the choice name (cell 2 of the choice row) in cell 1, its value "
                    "in cell 2; or make the two spellings agree."};
        case C::kShortRow:
            return {code, "short-row", {S::kError},
                "a row the export reads with fewer cells than it reads (PlanCSVTable 2, "
                    "ProcessParametersTable 3, ParameterSettingTable 4, a choice row or the item row of a "
                    "choice or option title 2, a value row 2); every short row is told, in the order the export "
                    "meets them once the earlier ones are mended",
                "Give the row its cells: keep the tabs of empty cells (the item, tab, the value type, tab, tab) "
                    "and put a PlanCSVTable row's item in cell 2, after a tab."};
        case C::kUtf16:
            return {code, "utf16", {S::kError, S::kWarning},
                "a table file saved as UTF-16 with a byte-order mark, which the table reader refuses; a "
                    "warning for one without a byte-order mark, which the reader takes as 8-bit text full of "
                    "NUL bytes (the export then stops wherever a lookup fails, told as its own error), and "
                    "for the option file, which the export then ignores",
                "Save the file as 8-bit text (\"tab-delimited text\", not \"Unicode text\") in the code page "
                    "of the workstation.", true};
        // Mistakes in how the tables are written, each told once for what it is.
        case C::kHeadingRow:
            return {code, "heading-row", {S::kWarning, S::kNote},
                "the first row of PlanCSVTable reads as a heading row (its item reaches nothing but the "
                    "heading rows of the other tables, or numbered rows follow a first cell of words): it adds "
                    "a column, and the findings that merely follow from it are not told. A note: a heading row "
                    "of ExteriorTable holding \":\", which the export skips as a choice of no item",
                "Delete the first row of PlanCSVTable: every row of it is a column. The other tables may keep "
                    "their heading rows as long as these name nothing in use (and, in ExteriorTable, hold no "
                    "\":\")."};
        case C::kColonInTitle:
            return {code, "colon-in-title", {S::kWarning, S::kError},
                "an item row of ExteriorTable whose title holds \":\": the export also reads it as a choice "
                    "of the title before the \":\" and skips it, as no item has that title; an error when an "
                    "item has it: the export then looks the item name up as a choice name in "
                    "SelectionToIntTable and stops",
                "Take the \":\" out of the title in cell 1 (\"Depth (mm)\" for \"Depth: mm\")."};
        case C::kUnknownItem:
            return {code, "unknown-item", {S::kWarning},
                "a PlanCSVTable item that no row of ExteriorTable, ProcessParametersTable or "
                    "ParameterSettingTable names, with the nearest item they or the export know (a typing "
                    "error, another letter case, a blank at an end): its header cell and its cells stay empty",
                "Write the item exactly as the other tables do (letter case, no blank at either end), or give it "
                    "its rows in those tables."};
        case C::kAlwaysEmpty:
            return {code, "always-empty", {S::kWarning},
                "an item the export always leaves empty (docs/configuration.md, \"Items that are always "
                    "empty\"), given a key or a value type as if it had a value, with the item it likely stands "
                    "for (\"comment\": the process's comment item)",
                "Put the item the message names in its place, in PlanCSVTable and in the key and value type "
                    "rows; for a parameter of your own, invent an item name that the export does not reserve."};
        case C::kSpacedCells:
            return {code, "spaced-cells", {S::kWarning, S::kError},
                "a row whose cells are separated by spaces, not tabs (an editor that turned tabs into "
                    "spaces): the reader reads it as fewer cells, so its name matches nothing; an error where "
                    "the export stops at it as a short row",
                "Put a tab between the cells of the row, where the spaces are; set the editor to keep tabs."};
        // Columns that come out empty or wrong.
        case C::kNoTitle:
            return {code, "no-title", {S::kWarning},
                "a PlanCSVTable item without an ExteriorTable title (with the nearest item of ExteriorTable): "
                    "an empty header cell",
                "Add an ExteriorTable row with the header text in cell 1 and the item in cell 2, or make the "
                    "item's spelling agree in both files."};
        case C::kNoKey:
            return {code, "no-key", {S::kWarning},
                "a parameter column without ProcessParametersTable row (with the nearest item of that table), "
                    "or with key 0 or 999999: never asked, always empty. Items with their own converter, the "
                    "always-empty items and the pitch item (whose key comes from the process type) are left "
                    "out",
                "Add a ProcessParametersTable row (the item, the parameter key, a priority), or put the "
                    "parameter's key in place of 0 or 999999."};
        case C::kNoValueType:
            return {code, "no-value-type", {S::kWarning},
                "a parameter column without ParameterSettingTable row (with the nearest item of that table) "
                    "or with an empty value type",
                "Add a ParameterSettingTable row with the item and a value type keyword in cell 2, keeping the "
                    "tabs of the empty mark cells."};
        case C::kUnknownKeyword:
            return {code, "unknown-keyword", {S::kWarning},
                "a value type or sub type that is no keyword, with the nearest one (the keyword in other "
                    "letter case, say); for a sub type's keyword where the value type belongs, the recipe",
                "Write the keyword exactly as docs/configuration.md, section 5, lists it, or follow the "
                    "recipe the message gives."};
        case C::kNoTextForm:
            return {code, "no-text-form", {S::kWarning},
                "a value type that gives no text (docs/configuration.md, section 5; for the local "
                    "coordinate items any but the real and the selection type)",
                "Give the column a value type with a text form, or leave the column out."};
        case C::kBadMark:
            return {code, "bad-mark", {S::kWarning},
                "a blank or repeat mark other than \"o\" or empty (\"O\", \" o\")",
                "Write a lower-case o alone in the mark cell, or leave it empty."};
        case C::kDuplicateKey:
            return {code, "duplicate-key", {S::kWarning},
                "a key that an earlier row of the same table holds (ExteriorTable titles and items, "
                    "ProcessParametersTable, ParameterSettingTable, SelectionToIntTable, VariableTable); both "
                    "lines are named",
                "Delete the later row, or move what it says into the first: only the first row of a key is "
                    "read."};
        case C::kDuplicateColumn:
            return {code, "duplicate-column", {S::kWarning},
                "a PlanCSVTable item listed twice: two equal columns",
                "Delete the repeated PlanCSVTable row, unless the column is meant to be there twice."};
        case C::kUnknownTitle:
            return {code, "unknown-title", {S::kWarning},
                "an option title that is no ExteriorTable title (with the nearest title): no column",
                "Write the title exactly as cell 1 of its ExteriorTable item row, or add such a row."};
        case C::kRepeatedTitle:
            return {code, "repeated-title", {S::kWarning},
                "an option title that repeats an earlier line: it is taken once",
                "Delete the repeated line of rc_pln2usr.ini."};
        case C::kStandardTitle:
            return {code, "standard-title", {S::kWarning},
                "an option title that is already the title of a PlanCSVTable column: no second column",
                "Delete the line of rc_pln2usr.ini, or the PlanCSVTable row if the column belongs among the "
                    "options."};
        case C::kOptionFormat:
            return {code, "option-format", {S::kWarning},
                "a line of the option file written in another format: a section (\"[Columns]\") or a "
                    "setting (\"key=value\"); the option file is a list of ExteriorTable titles, one a line, "
                    "so the line adds no column",
                "Write the title alone on the line (\"Depth (mm)\" for \"Depth=1\"), and delete the "
                    "section lines."};
        case C::kNoChoices:
            return {code, "no-choices", {S::kWarning},
                "a selection column (or the tool type column) without choices; the scan angle column without "
                    "a choice of value 0",
                "Add choice rows (\"TITLE:TEXT\", choice name) under the column's title to ExteriorTable and "
                    "their values to SelectionToIntTable; for the scan angle, one of value 0."};
        case C::kOrphanChoice:
            return {code, "orphan-choice", {S::kWarning},
                "a choice row whose item title has no item row: the choice is skipped",
                "Write the part before the \":\" exactly as cell 1 of the item's row, or add that item row."};
        case C::kShadowedChoice:
            return {code, "shadowed-choice", {S::kWarning},
                "a choice of a column with the value of an earlier choice of the same column: the export "
                    "writes the earlier one's text for that value, never this one's (two texts for one code, "
                    "or a value typed twice)",
                "Give the choice its own value in SelectionToIntTable, or delete the choice row that is "
                    "never written."};
        case C::kUnusedValue:
            return {code, "unused-value", {S::kNote},
                "a SelectionToIntTable row that no choice row names: its value is never written (a spare row, "
                    "or the other half of a misspelt choice name)",
                "Delete the row, or write its choice name in cell 2 of the choice row it belongs to."};
        case C::kNotANumber:
            return {code, "not-a-number", {S::kWarning},
                "a key or a choice value that is no decimal int (\"12abc\" is read as 12, \"abc\" as 0)",
                "Write the key or value in digits, with a sign at most."};
        case C::kNoToolSetForm:
            return {code, "no-tool-set-form", {S::kWarning},
                "a tool check column while VariableTable has no \"akw_tls_nm\" row, or an empty one",
                "Add a VariableTable row with the tool-set form in cell 1 and akw_tls_nm in cell 3."};
        case C::kUnquotedText:
            return {code, "unquoted-text", {S::kError},
                "a title, choice text or plan name holding a comma, a double quote, a CR or a LF, which "
                    "the export writes unquoted: the export finishes, but the file is malformed (the cells "
                    "after it shift, or the row breaks in two)",
                "Take the comma, double quote or line break out of the title, choice text or plan name.", false,
                true};
        case C::kControlInText:
            return {code, "control-in-text", {S::kWarning},
                "a title or choice text holding a tab or another control character (below 0x20), which "
                    "goes into the CSV file as it is",
                "Take the control character out of the title or choice text (a quoted cell of ExteriorTable "
                    "may hold a tab; the option file's line may too)."};
        // The bytes of the files.
        case C::kEmptyFile:
            return {code, "empty-file", {S::kWarning},
                "a table file without rows: it counts as read, so every lookup in it misses (an empty "
                    "ExteriorTable gives a header of empty titles)",
                "Fill the file with its rows, or restore it from a copy.", true};
        case C::kCrLineEnds:
            return {code, "cr-line-ends", {S::kWarning},
                "an option file with CR-only line ends: it is read as one line (the table reader takes "
                    "LF, CR LF and a lone CR as line ends alike)",
                "Save rc_pln2usr.ini with LF or CR LF line ends.", true};
        case C::kNulByte:
            return {code, "nul-byte", {S::kWarning},
                "a NUL byte in a line: lookups and titles end at it",
                "Delete the NUL byte; a file with one beside every character is UTF-16: save it as 8-bit text."};
        case C::kCtrlZ:
            return {code, "ctrl-z", {S::kWarning},
                "a Ctrl-Z byte in the option file: on Windows the file is read as text and ends there",
                "Delete the Ctrl-Z byte (0x1A) from rc_pln2usr.ini."};
        case C::kStrayByte:
            return {code, "stray-byte", {S::kWarning},
                "an invisible or out-of-place byte: a byte-order mark after the start of the file (two files "
                    "joined), a no-break space or zero-width character at an end of a cell, a CR alone in a "
                    "file of LF line ends (the reader ends the row there); names with it match nothing",
                "Delete the byte at the line and column the finding gives (an editor that shows invisible "
                    "characters helps)."};
        case C::kEncoding:
            return {code, "encoding", {S::kWarning},
                "text in another encoding than the code page: UTF-8 in a one-byte code page (each letter "
                    "beyond ASCII read as two), bytes that are no text of the code page; named with the encoding it looks like, "
                    "and the other files of the root in the code page's",
                "Save the file in the code page the export reads (`--encoding`, else the system's), as the "
                    "other files are; or give `--encoding` the file's encoding when every file is in it."};
        // The model against the tables.
        case C::kRejectedPlan:
            return {code, "rejected-plan", {S::kNote},
                "a plan with a process of a type the export does not accept (which process, which type): the "
                    "plan gets no file and a message, as the export is meant to do. A fact of the model, not a "
                    "mistake of the tables",
                "Nothing, if the plan is not meant to be exported; else move the process out of the plan in "
                    "the CAM model."};
        case C::kNoMachine:
            return {code, "no-machine", {S::kWarning},
                "a rejected plan without machine data: its message repeats the names of the rejected plan "
                    "before it, or names none",
                "Give the plan its machine in the CAM model, or read its message knowing whose machine it "
                    "names."};
        case C::kMissingParam:
            return {code, "missing-param", {S::kWarning, S::kNote},
                "a column's parameter that no process holds (warning: is the key right?), or that some "
                    "processes lack (note, with the count and the first)",
                "Check the key in ProcessParametersTable against the parameter numbers of the CAM system; "
                    "the note needs nothing when those processes have no such value."};
        case C::kParamKind:
            return {code, "param-kind", {S::kWarning},
                "a parameter of the wrong kind for its column (a JSON integer in a real column prints "
                    "0.000000, a text in an integer column prints its bytes as a number)",
                "Give the column the value type (or sub type) of the kind the host keeps: a real for a number "
                    "with a fraction, the integer sub type for a whole number, a text for a text."};
        case C::kNoChoiceForCode:
            return {code, "no-choice-for-code", {S::kWarning},
                "a selection code (or tool type) without a choice: an empty cell",
                "Add a choice of that value: a choice row in ExteriorTable and its SelectionToIntTable row."};
        case C::kLongToolName:
            return {code, "long-tool-name", {S::kWarning},
                "a tool name of 16 characters or more whose tool text is listed only under the full name; "
                    "the export looks it up by its first 15",
                "List the tool's text under the first 15 characters of its name, or shorten the name."};
        case C::kModelFails:
            return {code, "model-fails", {S::kError},
                "the export fails at a plan: the plan, the process, the column, the host call that failed "
                    "and the library's error line",
                "Mend the data of the plan, process or tool the message names in the CAM model, or leave out "
                    "the column whose data the model cannot give."};
        // The output files.
        case C::kSameFile:
            return {code, "same-file", {S::kWarning},
                "two plans write one file (without `--out`: two plans of one name, with a blank output "
                    "name)",
                "Give the plans different names, or export with a --name, which numbers the files."};
        case C::kPlanSelection:
            return {code, "plan-selection", {S::kWarning},
                "the plans of the call give no file (each is rejected or has no processes), or `--plans` lists "
                    "a plan more than once, whose file is then written each time",
                "Select plans that give files (`--plans` takes the model's 0-based plan numbers, as the "
                    "findings show them), each once."};
        case C::kPathInName:
            return {code, "path-in-name", {S::kWarning},
                "a file that lands in another folder than the output folder, or outside it (\"..\"), by a "
                    "separator in a plan name (with a blank output name) or in `--name`; with `--out`, the "
                    "path it would write",
                "Take the separator or \"..\" out of the plan name or of --name."};
        case C::kNoPlanName:
            return {code, "no-plan-name", {S::kWarning, S::kError},
                "a plan whose name the model database cannot give: with a blank output name the export "
                    "fails there with " + Line(FailStep::kMakeFileName) +
                    " (an error with `--out` and a blank `--name`)",
                "Give the plan a name in the CAM model, or export with a --name."};
        case C::kOutFolder:
            return {code, "out-folder", {S::kError},
                "`--out` is missing or no folder: `qvkdc export` refuses it (exit 2)",
                "Create the folder --out names, or name one that exists."};
        case C::kCannotWrite:
            return {code, "cannot-write", {S::kError},
                "with `--out`: a plan's file cannot be written (its folder is missing, no permission, its "
                    "name is too long for the file system, a folder is in its place, another program writes "
                    "it): the path and the system's reason; the export fails there at " + Line(FailStep::kFileOpen),
                "Do what the reason asks: create the folder, grant write permission, shorten the name, move "
                    "the folder away or close the program that holds the file."};
        case C::kPathTooLong:
            return {code, "path-too-long", {S::kError},
                "with `--out`: a plan's path would be over 511 characters; the export fails there at " +
                 Line(FailStep::kMakeFileName),
                "Choose a shorter --out folder or --name, or shorten the plan name."};
        case C::kFileExists:
            return {code, "file-exists", {S::kNote},
                "with `--out`: a plan's file exists; `export` without `--overwrite` asks before writing "
                    "over it, and declines where it cannot ask",
                "Export with --overwrite to replace it, or choose another --out or --name."};
        case C::kNamesNotChecked:
            return {code, "names-not-checked", {S::kNote},
                "without `--out`: the output folder and file names were not checked",
                "Check with the --out, --name and --plans the export will get."};
        // The check itself.
        case C::kModelNotChecked:
            return {code, "model-not-checked", {S::kNote},
                "the model is not checked because the table steps fail before any plan",
                "Mend the errors of the tables, then check again."};
        case C::kExportFails:
            return {code, "export-fails", {S::kError},
                "a table step fails without saying where (the memory ran out, say): the step and the "
                    "library's first error line",
                "Check again; if it stays, read the error lines of the trace of `qvkdc tables --trace FILE`."};
        case C::kCount:
            break;
    }
    return {code, "", {}, std::string(), ""};
}

}  // namespace

const char* SeverityName(Severity severity) {
    switch (severity) {
        case Severity::kError:
            return "error";
        case Severity::kWarning:
            return "warning";
        case Severity::kNote:
            return "note";
    }
    return "note";
}

SeveritySet::SeveritySet(std::initializer_list<Severity> severities) {
    for (const Severity severity : severities) {
        if (Has(severity) || count_ == order_.size()) continue;
        order_[count_++] = severity;
        mask_ = static_cast<unsigned char>(mask_ | Bit(severity));
    }
}

std::string SeveritySet::Text() const {
    std::string text;
    for (const Severity severity : *this) {
        if (!text.empty()) text += " / ";
        text += SeverityName(severity);
    }
    return text;
}

const std::vector<FindingCodeEntry>& AllFindingCodes() {
    static const std::vector<FindingCodeEntry> codes = [] {
        std::vector<FindingCodeEntry> entries;
        for (std::size_t i = 0; i < kFindingCodeCount; ++i) entries.push_back(EntryOf(static_cast<FindingCode>(i)));
        return entries;
    }();
    return codes;
}

const FindingCodeEntry& FindingCodeOf(FindingCode code) {
    return AllFindingCodes()[static_cast<std::size_t>(code)];
}

const FindingCodeEntry* FindFindingCode(std::string_view name) {
    static const std::unordered_map<std::string_view, const FindingCodeEntry*> byName = [] {
        std::unordered_map<std::string_view, const FindingCodeEntry*> map;
        for (const FindingCodeEntry& entry : AllFindingCodes()) map.emplace(entry.name, &entry);
        return map;
    }();
    const auto it = byName.find(name);
    return it == byName.end() ? nullptr : it->second;
}

bool CanBeIgnored(const FindingCodeEntry& code) {
    return code.severities.Has(Severity::kWarning) || code.severities.Has(Severity::kNote);
}
