// TestedFindings: the finding codes that rows of the check's tests expect,
// gathered as the test program starts (each table of rows registers its
// expected finding lines), so that one test can hold them against the list
// of every code the check has.
#ifndef QVKDC_TESTS_SUPPORT_TESTEDFINDINGS_H
#define QVKDC_TESTS_SUPPORT_TESTEDFINDINGS_H

#include <set>
#include <string>
#include <vector>

// Notes the code in brackets at the end of each finding line ("... [code]").
// Returns true, for a namespace-scope registration.
bool TestRowsExpect(const std::vector<std::string>& findingLines);
// Notes codes by name.
bool TestRowsExpectCodes(const std::vector<std::string>& codes);
const std::set<std::string>& CodesTestRowsExpect();

#endif  // QVKDC_TESTS_SUPPORT_TESTEDFINDINGS_H
