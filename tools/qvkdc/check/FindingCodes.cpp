#include "check/FindingCodes.h"

#include <unordered_map>

#include "host/FailurePoints.h"

namespace {

// The failure line of step, in quotes, as the texts quote it.
std::string Line(FailStep step) { return std::string("\"") + FailurePointOf(step).line + '"'; }

}  // namespace

const std::vector<FindingCode>& AllFindingCodes() {
    static const std::vector<FindingCode> codes = {
    {"unreadable", "error",
     "a table file that exists but cannot be read (a folder, no permission, a link to nothing "
         "or a loop of links, with the system's reason): the export fails at it, PlanCSVTable "
         "included (docs/configuration.md, \"Links\"); warning for the option file, which then "
         "adds no columns",
     ""},
    {"missing-table", "error",
     "VariableTable missing; ExteriorTable, ProcessParametersTable or ParameterSettingTable "
         "missing while a column needs it; SelectionToIntTable missing while there are choice rows "
         "(named at the first place the export stops). Note: PlanCSVTable missing (only option "
         "columns)",
     ""},
    {"missing-choice-value", "error",
     "a choice whose internal name has no SelectionToIntTable row",
     ""},
    {"short-row", "error",
     "a row the export reads with fewer cells than it reads (PlanCSVTable 2, "
         "ProcessParametersTable 3, ParameterSettingTable 4, a choice row or the item row of a "
         "choice or option title 2, a value row 2)",
     ""},
    {"utf16", "error",
     "a table file saved as UTF-16 with a byte-order mark, which the table reader refuses; "
         "warning for one without a byte-order mark, which the reader takes as 8-bit text full of "
         "NUL bytes (the export then stops wherever a lookup fails, told as its own error), and "
         "for the option file, which the export then ignores",
     ""},
    {"no-title", "warning",
     "a PlanCSVTable item without an ExteriorTable title: an empty header cell",
     ""},
    {"no-key", "warning",
     "a parameter column without ProcessParametersTable row, or with key 0 or 999999: never "
         "asked, always empty. Items with their own converter, the always-empty items and the "
         "pitch item (whose key comes from the process type) are left out",
     ""},
    {"no-value-type", "warning",
     "a parameter column without ParameterSettingTable row or with an empty value type",
     ""},
    {"unknown-keyword", "warning",
     "a value type or sub type that is no keyword, with the nearest one (\"real\": did you "
         "mean \"Real\"?)",
     ""},
    {"no-text-form", "warning",
     "a value type that gives no text (\"GroupName\", \"PlanName\", \"Knowledge\", "
         "\"FolderName\", \"ProcessName\"; for the local coordinate items anything but Real and "
         "Select)",
     ""},
    {"bad-mark", "warning",
     "a blank or repeat mark other than \"o\" or empty (\"O\", \" o\")",
     ""},
    {"duplicate-key", "warning",
     "a key that an earlier row of the same table holds (ExteriorTable titles and items, "
         "ProcessParametersTable, ParameterSettingTable, SelectionToIntTable, VariableTable); both "
         "lines are named",
     ""},
    {"duplicate-column", "warning",
     "a PlanCSVTable item listed twice: two equal columns",
     ""},
    {"unknown-title", "warning",
     "an option title that is no ExteriorTable title (with the nearest title), repeats an "
         "earlier line, or is already the title of a PlanCSVTable column",
     ""},
    {"repeated-title", "warning",
     "an option title that is no ExteriorTable title (with the nearest title), repeats an "
         "earlier line, or is already the title of a PlanCSVTable column",
     ""},
    {"standard-title", "warning",
     "an option title that is no ExteriorTable title (with the nearest title), repeats an "
         "earlier line, or is already the title of a PlanCSVTable column",
     ""},
    {"no-choices", "warning",
     "a Select column (or the tool type column) without choices; the scan angle column without "
         "a choice of value 0",
     ""},
    {"orphan-choice", "warning",
     "a choice row whose item title has no item row: the choice is skipped",
     ""},
    {"not-a-number", "warning",
     "a key or a choice value that is no decimal int (\"12abc\" is read as 12, \"abc\" as 0)",
     ""},
    {"no-tool-set-form", "warning",
     "a tool check column while VariableTable has no \"akw_tls_nm\" row, or an empty one",
     ""},
    {"unquoted-text", "warning",
     "a title, choice text or plan name holding a comma, a double quote, a CR or a LF, which "
         "the export writes unquoted",
     ""},
    {"empty-file", "warning",
     "a table file without rows: it counts as read, so every lookup in it misses (an empty "
         "ExteriorTable gives a header of empty titles)",
     ""},
    {"cr-line-ends", "warning",
     "an option file with CR-only line ends: it is read as one line (the table reader takes "
         "LF, CR LF and a lone CR as line ends alike)",
     ""},
    {"nul-byte", "warning",
     "a NUL byte in a line: lookups and titles end at it",
     ""},
    {"rejected-plan", "warning",
     "a plan with a process of a type the export does not accept (which process, which type)",
     ""},
    {"no-machine", "warning",
     "a rejected plan without machine data: its message repeats the names of the rejected plan "
         "before it, or names none",
     ""},
    {"same-file", "warning",
     "two plans write one file (without `--out`: two plans of one name, with a blank output "
         "name)",
     ""},
    {"path-in-name", "warning",
     "a file that lands in another folder than the output folder, or outside it (\"..\"), by a "
         "separator in a plan name (with a blank output name) or in `--name`; with `--out`, the "
         "path it would write",
     ""},
    {"missing-param", "warning / note",
     "a column's parameter that no process holds (warning: is the key right?), or that some "
         "processes lack (note, with the count and the first)",
     ""},
    {"param-kind", "warning",
     "a parameter of the wrong kind for its column (a JSON integer in a Real column prints "
         "0.000000, a text in an Integer column prints its bytes as a number)",
     ""},
    {"no-choice-for-code", "warning",
     "a selection code (or tool type) without a choice: an empty cell",
     ""},
    {"long-tool-name", "warning",
     "a tool name of 16 characters or more whose tool text is listed only under the full name; "
         "the export looks it up by its first 15",
     ""},
    {"model-fails", "error",
     "the export fails at a plan: the plan, the process, the column, the host call that failed "
         "and the library's error line",
     ""},
    {"no-plan-name", "warning / error",
     "a plan whose name the model database cannot give: with a blank output name the export "
         "fails there with " + Line(FailStep::kMakeFileName) + " (error with `--out` and a blank `--name`)",
     ""},
    {"out-folder", "error",
     "`--out` is missing or no folder: `qvkdc export` refuses it (exit 2)",
     ""},
    {"cannot-write", "error",
     "with `--out`: a plan's file cannot be written (its folder is missing, no permission, its "
         "name is too long for the file system, a folder is in its place, another program writes "
         "it): the path and the system's reason; the export fails there at " + Line(FailStep::kFileOpen),
     ""},
    {"path-too-long", "error",
     "with `--out`: a plan's path would be over 511 characters; the export fails there at " +
         Line(FailStep::kMakeFileName),
     ""},
    {"file-exists", "note",
     "with `--out`: a plan's file exists; `export` without `--overwrite` asks before writing "
         "over it, and declines where it cannot ask",
     ""},
    {"names-not-checked", "note",
     "without `--out`: the output folder and file names were not checked",
     ""},
    {"ctrl-z", "warning",
     "a Ctrl-Z byte in the option file: on Windows the file is read as text and ends there",
     ""},
    {"model-not-checked", "note / error",
     "the model is not checked because the tables fail; a table step fails without saying "
         "where",
     ""},
    {"export-fails", "note / error",
     "the model is not checked because the tables fail; a table step fails without saying "
         "where",
     ""},
    };
    return codes;
}

const FindingCode* FindFindingCode(std::string_view code) {
    static const std::unordered_map<std::string_view, const FindingCode*> byCode = [] {
        std::unordered_map<std::string_view, const FindingCode*> map;
        for (const FindingCode& entry : AllFindingCodes()) map.emplace(entry.code, &entry);
        return map;
    }();
    const auto it = byCode.find(code);
    return it == byCode.end() ? nullptr : it->second;
}
