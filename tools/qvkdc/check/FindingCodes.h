// FindingCodes: every kind of finding `qvkdc check` gives, with the
// severities its findings may have, what it means and its usual fix. It is
// the one list of them: the rules name a code by its enumerator, and its
// name is looked up here wherever it is shown (the reports, `--ignore`,
// `qvkdc help --findings`, which docs/check.md's table is written from).
#ifndef QVKDC_TOOLS_CHECK_FINDINGCODES_H
#define QVKDC_TOOLS_CHECK_FINDINGCODES_H

#include <array>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

enum class Severity : unsigned char {
    kError,    // the export would fail, or write a malformed CSV file
    kWarning,  // the export runs, but cells, titles or files come out wrong
    kNote,     // worth knowing; nothing is wrong by itself
};

// "error", "warning" or "note".
const char* SeverityName(Severity severity);

// One enumerator per code, in the order docs/check.md lists them; the
// table in FindingCodes.cpp gives each its name and texts.
enum class FindingCode : unsigned char {
    // The files and rows at which the export's table steps stop.
    kUnreadable,
    kMissingTable,
    kMissingChoiceValue,
    kShortRow,
    kUtf16,
    // Mistakes in how the tables are written, each told once for what it is.
    kHeadingRow,
    kColonInTitle,
    kUnknownItem,
    kAlwaysEmpty,
    kSpacedCells,
    // Columns that come out empty or wrong.
    kNoTitle,
    kNoKey,
    kNoValueType,
    kUnknownKeyword,
    kNoTextForm,
    kBadMark,
    kDuplicateKey,
    kDuplicateColumn,
    kUnknownTitle,
    kRepeatedTitle,
    kStandardTitle,
    kOptionFormat,
    kNoChoices,
    kOrphanChoice,
    kShadowedChoice,
    kUnusedValue,
    kNotANumber,
    kNoToolSetForm,
    kUnquotedText,
    kControlInText,
    // The bytes of the files.
    kEmptyFile,
    kCrLineEnds,
    kNulByte,
    kCtrlZ,
    kStrayByte,
    kEncoding,
    // The model against the tables.
    kRejectedPlan,
    kNoMachine,
    kMissingParam,
    kParamKind,
    kNoChoiceForCode,
    kLongToolName,
    kModelFails,
    // The output files.
    kSameFile,
    kPlanSelection,
    kPathInName,
    kNoPlanName,
    kOutFolder,
    kCannotWrite,
    kPathTooLong,
    kFileExists,
    kNamesNotChecked,
    // The check itself.
    kModelNotChecked,
    kExportFails,
    kCount  // not a code: how many there are
};

constexpr std::size_t kFindingCodeCount = static_cast<std::size_t>(FindingCode::kCount);

// The severities a code's findings may have, each once, in the order its
// entry gives them (the usual one first: "warning / error").
class SeveritySet {
 public:
    SeveritySet() = default;
    SeveritySet(std::initializer_list<Severity> severities);

    bool Has(Severity severity) const { return (mask_ & Bit(severity)) != 0; }
    const Severity* begin() const { return order_.data(); }
    const Severity* end() const { return order_.data() + count_; }
    // "error / warning": the names in their order, as the documents show them.
    std::string Text() const;

 private:
    static unsigned Bit(Severity severity) { return 1u << static_cast<unsigned>(severity); }

    std::array<Severity, 3> order_{};
    unsigned char count_ = 0;
    unsigned char mask_ = 0;
};

struct FindingCodeEntry {
    FindingCode code;
    const char* name;         // "no-title"
    SeveritySet severities;   // the severities its findings may have
    std::string what;         // what it means (Markdown: `code`, "quotes")
    const char* fix;          // the usual fix: what to change in which file or cell
    bool wholeFile = false;   // its findings are about a whole file: their line is no row to show
    bool exportFinishes = false;  // its errors are not where the export fails: it finishes, but the
                                  // file it writes is malformed
};

// Every code, in the order of the enumerators, which is the order
// docs/check.md lists them in (`qvkdc help --findings` prints the table it
// shows): entry i is the code FindingCode(i).
const std::vector<FindingCodeEntry>& AllFindingCodes();
const FindingCodeEntry& FindingCodeOf(FindingCode code);
inline const char* FindingCodeName(FindingCode code) { return FindingCodeOf(code).name; }
// The entry of the code named name; null for a name that is no code's.
const FindingCodeEntry* FindFindingCode(std::string_view name);
// Whether its findings can be warnings or notes, which `--ignore` accepts;
// an error never is.
bool CanBeIgnored(const FindingCodeEntry& code);

#endif  // QVKDC_TOOLS_CHECK_FINDINGCODES_H
