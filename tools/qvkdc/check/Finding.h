// Finding: one problem that `qvkdc check` found in the tables, the option
// file or the model, at a line of a file.
#ifndef QVKDC_TOOLS_CHECK_FINDING_H
#define QVKDC_TOOLS_CHECK_FINDING_H

#include <string>

enum class Severity {
    kError,    // the export would fail
    kWarning,  // the export runs, but cells, titles or files come out wrong
    kNote,     // worth knowing; nothing is wrong by itself
};

// "error", "warning" or "note".
const char* SeverityName(Severity severity);

struct Finding {
    Severity severity = Severity::kWarning;
    std::string file;     // as shown to the user
    int line = 1;         // 1-based; whole-file findings point at line 1
    std::string message;  // one sentence or two, no line end
    std::string code;     // short name of the kind of finding: "no-title"
    int column = -1;      // index into the column plan, or -1
    int detail = 0;       // what in its column it is about, for a link to it: the
                          // code of no-choice-for-code, the kind of param-kind
};

#endif  // QVKDC_TOOLS_CHECK_FINDING_H
