#include "support/TestedFindings.h"

namespace {

std::set<std::string>& Codes() {
    static std::set<std::string> codes;
    return codes;
}

}  // namespace

bool TestRowsExpect(const std::vector<std::string>& findingLines) {
    for (const std::string& line : findingLines) {
        const std::size_t open = line.rfind(" [");
        if (open != std::string::npos && line.back() == ']') Codes().insert(line.substr(open + 2, line.size() - open - 3));
    }
    return true;
}

bool TestRowsExpectCodes(const std::vector<std::string>& codes) {
    Codes().insert(codes.begin(), codes.end());
    return true;
}

const std::set<std::string>& CodesTestRowsExpect() { return Codes(); }
