// TestedFindings: the finding codes that the rows of the check's tests
// expect, each with the severities it is expected at, gathered as the test
// program starts, for one test to hold them against the check's list of
// codes.
#ifndef QVKDC_TESTS_SUPPORT_TESTEDFINDINGS_H
#define QVKDC_TESTS_SUPPORT_TESTEDFINDINGS_H

#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

// Code -> severities ("" for a row that names the code alone).
inline std::map<std::string, std::set<std::string>>& TestedFindings() {
    static std::map<std::string, std::set<std::string>> codes;
    return codes;
}

// Notes the code of each finding line ("FILE:LINE: SEVERITY: ... [code]",
// or " [code]" alone). Returns true, for a registration at namespace scope.
inline bool TestRowsExpect(const std::vector<std::string>& findingLines) {
    static const std::regex severity(R"(:\d+: (error|warning|note): )");
    for (const std::string& line : findingLines) {
        const std::size_t open = line.rfind(" [");
        if (open == std::string::npos) continue;
        std::smatch m;
        const bool given = std::regex_search(line, m, severity);
        TestedFindings()[line.substr(open + 2, line.size() - open - 3)].insert(given ? m[1].str() : "");
    }
    return true;
}

#endif  // QVKDC_TESTS_SUPPORT_TESTEDFINDINGS_H
