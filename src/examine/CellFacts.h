// CellFacts: what the process converter did for one cell: the text it
// wrote is the run's, and this says why the cell came out so (above all
// why it is empty), which parameter it asked and which choice gave its
// text. The converter tells it for every cell of an observed run
// (examine/ExamineRun.h); the export asks for none.
#ifndef QVKDC_EXAMINE_CELLFACTS_H
#define QVKDC_EXAMINE_CELLFACTS_H

#include <string_view>

// Why a cell is as it is, when the converter can tell more than its text.
enum class CellReason : unsigned char {
    kNone,          // the text is the value (or nothing more to tell)
    kAlwaysEmpty,   // an item the export always leaves empty
    kNoKey,         // key 0 or 999999: the host is never asked
    kNoTextForm,    // no value type, or one that gives no text
    kNotForType,    // not written for the process type `code`
    kLocalFlag,     // the local coordinate flag (parameter `code`) is 1
    kMissingParam,  // the host gives no value under `key`
    kNoChoice,      // no choice of the column has the code `code`
    kNoChoices,     // the column's item has no choices (looked up: `code`)
    kNoTool,        // the process has no tool
    kToolNotSet,    // its tool record has the state `code`, not 1
    kNoToolText,    // the tool text lookup gives no text for its tool
    kNoCandidates,  // the process has no candidate tools
    kEmptyValue,    // the value under `key` gives an empty text
    kBlankName,     // the name of the process (or of its plan) is blank
};

struct CellFacts {
    CellReason reason = CellReason::kNone;
    // The parameter the value was asked under (after the local coordinate
    // flag, when that was asked), or 0 when none was.
    int key = 0;
    // The host gave a value under key.
    bool valueGiven = false;
    // The code looked up among the column's choices, the process type
    // (kNotForType) or the tool's state (kToolNotSet).
    int code = 0;
    // The index of the choice, among the choices of the column's item in
    // the order they were filed, whose text the cell holds; -1: none.
    int choice = -1;
    // The tool name given to the tool text lookup (the tool check item),
    // and whether it was cut to fit the lookup's buffer; valid during the
    // cell only.
    std::string_view tool;
    bool toolCut = false;
};

#endif  // QVKDC_EXAMINE_CELLFACTS_H
