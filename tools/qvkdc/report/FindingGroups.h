// FindingGroups: the findings of one check by severity, errors first, then
// warnings, then notes, and within a severity by code, in the order each
// code first comes; for the summaries of the page and the text report.
#ifndef QVKDC_TOOLS_REPORT_FINDINGGROUPS_H
#define QVKDC_TOOLS_REPORT_FINDINGGROUPS_H

#include <cstddef>
#include <vector>

#include "check/FindingList.h"

class FindingGroups {
 public:
    struct Group {
        Severity severity = Severity::kNote;
        FindingCode code{};
        std::vector<std::size_t> members;  // indexes into the findings, in list order
    };

    // REQUIRES: findings outlives the groups and gains no finding.
    explicit FindingGroups(const FindingList& findings);

    const std::vector<Group>& All() const { return groups_; }
    // Whether some code holds more than one finding.
    bool AnyRepeated() const;

 private:
    std::vector<Group> groups_;
};

#endif  // QVKDC_TOOLS_REPORT_FINDINGGROUPS_H
