// CellNote: what the check tells of one cell of the export: why the
// library's converter says it came out as it did (CellFacts: above all why
// it is empty), or that the model holds its parameter as a value of
// another kind than the column reads, which only the model can tell. The
// page shows it in the cell and links it to the finding that explains it.
#ifndef QVKDC_TOOLS_CHECK_CELLNOTE_H
#define QVKDC_TOOLS_CHECK_CELLNOTE_H

#include <string>
#include <vector>

#include "CellFacts.h"
#include "ValueTypes.h"
#include "check/FindingCodes.h"

struct CellNote {
    CellReason reason = CellReason::kNone;
    int key = 0;   // the parameter asked
    int code = 0;  // the code, type or state the reason names
    // The model holds the parameter under key as a value of this kind, not
    // of the column's; kNone when it does not.
    HostValueKind wrongKind = HostValueKind::kNone;

    // Whether there is anything to tell.
    bool Told() const { return reason != CellReason::kNone || wrongKind != HostValueKind::kNone; }
    // Which code or kind of its column a finding about it is about
    // (Finding::detail): the code without a choice, the kind of the value.
    int Detail() const {
        return wrongKind != HostValueKind::kNone ? static_cast<int>(wrongKind) : code;
    }
};

// What the page shows in the cell ("no parameter 1203", "no choice for 7")
// into *brief, and what that means, in a sentence, into *full.
void CellNoteText(const CellNote& note, std::string* brief, std::string* full);

// The codes of the findings that may explain a note, most telling first;
// none for a note no finding tells.
const std::vector<FindingCode>& CellNoteCodes(const CellNote& note);

#endif  // QVKDC_TOOLS_CHECK_CELLNOTE_H
