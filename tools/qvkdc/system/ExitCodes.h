// ExitCodes: qvkdc's exit codes, and how two that apply at once combine.
#ifndef QVKDC_TOOLS_SYSTEM_EXITCODES_H
#define QVKDC_TOOLS_SYSTEM_EXITCODES_H

#include <string>

// Exit codes of qvkdc.
enum QvkdcExit {
    kExitOk = 0,          // library status 0 or above
    kExitFailed = 1,      // library status negative
    kExitUsage = 2,       // bad command line or model file
    kExitExists = 3,      // export refused: output files exist
    kExitHostMemory = 4,  // host memory still held after the call
    kExitOutput = 5,      // one of qvkdc's own outputs (standard output, the
                          // trace, the message list, a report or a page)
                          // could not be written whole
};

// The exit code when both code and other apply: the first of kExitOutput,
// kExitUsage, kExitHostMemory, kExitExists, kExitFailed and kExitOk. An
// output that failed comes first, since then what qvkdc wrote cannot be
// trusted: stderr tells the rest.
int CombinedExit(int code, int other);

// Tells on stderr that one of qvkdc's own outputs failed while it was
// written, flushed or closed: "qvkdc: WHAT: cannot be written: WHY", WHAT
// naming the file ("--report FILE") or "standard output". Returns
// kExitOutput.
int OutputFailure(const std::string& what, const std::string& why);

// Ended by a signal: a shell reports 128 + its number.
inline constexpr int kExitSignal = 128;

#endif  // QVKDC_TOOLS_SYSTEM_EXITCODES_H
