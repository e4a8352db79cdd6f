// FindingCodes: every kind of finding `qvkdc check` gives, with what it
// means and its usual fix. It is the one list of them: the check's page
// carries it, and docs/check.md shows the same texts.
#ifndef QVKDC_TOOLS_CHECK_FINDINGCODES_H
#define QVKDC_TOOLS_CHECK_FINDINGCODES_H

#include <string>
#include <string_view>
#include <vector>

struct FindingCode {
    const char* code;      // "no-title"
    const char* severity;  // as it is usually given: "error", "warning / note", ...
    std::string what;      // what it means (Markdown: `code`, "quotes")
    const char* fix;       // the usual fix: what to change in which file or cell
};

// Every code, in the order docs/check.md lists them (`qvkdc help
// --findings` prints the table it shows).
const std::vector<FindingCode>& AllFindingCodes();
// The entry of code; null for a code that is not in the list.
const FindingCode* FindFindingCode(std::string_view code);
// Whether its findings can be warnings or notes, which `--ignore` accepts;
// an error never is.
bool CanBeIgnored(const FindingCode& code);

#endif  // QVKDC_TOOLS_CHECK_FINDINGCODES_H
