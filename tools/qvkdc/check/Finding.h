// Finding: one problem that `qvkdc check` found in the tables, the option
// file or the model, at a line of a file.
#ifndef QVKDC_TOOLS_CHECK_FINDING_H
#define QVKDC_TOOLS_CHECK_FINDING_H

#include <string>

#include "check/FindingCodes.h"

struct Finding {
    Severity severity = Severity::kWarning;
    std::string file;     // as shown to the user
    int line = 1;         // 1-based; whole-file findings point at line 1
    std::string message;  // one sentence or two, no line end
    FindingCode code{};   // the kind of finding
    int column = -1;      // index into the column plan, or -1
    int detail = 0;       // what in its column it is about, for a link to it: the
                          // code of no-choice-for-code, the kind of param-kind
};

#endif  // QVKDC_TOOLS_CHECK_FINDING_H
