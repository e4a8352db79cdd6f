// FindingIndex: the first finding of each code about each column (and
// about each code or kind within it), for the page's links from a cell of
// the export, or a column, to the finding that explains it.
#ifndef QVKDC_TOOLS_REPORT_FINDINGINDEX_H
#define QVKDC_TOOLS_REPORT_FINDINGINDEX_H

#include <map>
#include <tuple>
#include <vector>

#include "check/FindingList.h"

class FindingIndex {
 public:
    // REQUIRES: findings outlives the index and gains no finding.
    explicit FindingIndex(const FindingList& findings);

    // The number (from 1, in list order) of the first finding of code
    // about column with detail; 0 when there is none.
    int Find(int column, FindingCode code, int detail = 0) const;
    // The first of codes that Find finds with detail, or else with detail
    // 0; 0 when none is found.
    int FindAny(int column, const std::vector<FindingCode>& codes, int detail) const;
    // The number of the first finding about column, and how many there are
    // (*count); 0 when there is none.
    int FirstAbout(int column, int* count) const;

 private:
    std::map<std::tuple<int, FindingCode, int>, int> first_;
    std::map<int, std::pair<int, int>> byColumn_;  // column -> (first, count)
};

#endif  // QVKDC_TOOLS_REPORT_FINDINGINDEX_H
