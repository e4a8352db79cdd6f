// CellReason: why a cell of the export came out empty (or, for a value of
// another kind than its column's, wrong), as the check tells it while the
// export's run converts the cell: told from what the converter does with
// the column (CQvkdcCnvColData::DescribeCol), the process record and the
// parameters the cell asked the host for. The page shows it in the cell
// and links it to the finding that explains it.
#ifndef QVKDC_TOOLS_CHECK_CELLREASON_H
#define QVKDC_TOOLS_CHECK_CELLREASON_H

#include <string>

#include "check/TableBuild.h"
#include "host/Qdgm.h"

struct CellReason {
    enum Kind : unsigned char {
        kNone,          // nothing to tell
        kAlwaysEmpty,   // an item the export always leaves empty
        kNoKey,         // key 0 or 999999: the host is never asked
        kNoTextForm,    // no value type, or one that gives no text
        kNotForType,    // not written for the process type `value`
        kLocalFlag,     // parameter 1323 is 1: no local coordinates
        kMissingParam,  // no value under the key `key`
        kWrongKind,     // the value under `key` is of kind `value` (a HostValueKind)
        kNoChoice,      // no choice for the code `value`
        kNoChoices,     // the column has no choices (for the code `value`)
        kNoTool,        // the process has no tool
        kToolNotSet,    // its tool record has the state `value`, not 1
        kNoToolText,    // the tool text lookup gives no text for its tool
        kNoCandidates,  // the process has no candidate tools
        kEmptyValue,    // the value under `key` gives an empty text
        kBlankName,     // the name of the process (or its plan) is blank
    };
    Kind kind = kNone;
    int key = 0;
    int value = 0;
};

// Why the empty cell of column c for the process of record is empty, when
// no parameter told it: askedCount parameters were asked for the cell, and
// hasChoices tells whether the column's item has choice rows. kNone when
// the check cannot tell.
CellReason EmptyCellReason(const CheckedColumn& c, const QdgmPrcsRec& record, int askedCount, bool hasChoices);

// What the page shows in the cell ("no parameter 1203", "no choice for 7")
// into *brief, and what that means, in a sentence, into *full.
void CellReasonText(const CellReason& why, std::string* brief, std::string* full);

// The codes of the findings that may explain a reason, most telling
// first, ending in null; none (just null) for a reason no finding tells.
const char* const* CellReasonCodes(CellReason::Kind kind);

#endif  // QVKDC_TOOLS_CHECK_CELLREASON_H
