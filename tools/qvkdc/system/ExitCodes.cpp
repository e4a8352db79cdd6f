#include "system/ExitCodes.h"

#include <iostream>

namespace {

// How bad each exit code is, where more than one applies.
int ExitRank(int code) {
    switch (code) {
        case kExitOk: return 0;
        case kExitFailed: return 1;
        case kExitExists: return 2;
        case kExitHostMemory: return 3;
        case kExitUsage: return 4;
        case kExitOutput: return 5;
        default: return 6;
    }
}

}  // namespace

int CombinedExit(int code, int other) { return ExitRank(other) > ExitRank(code) ? other : code; }

int OutputFailure(const std::string& what, const std::string& why) {
    std::cerr << "qvkdc: " << what << ": cannot be written: " << why << '\n';
    return kExitOutput;
}

