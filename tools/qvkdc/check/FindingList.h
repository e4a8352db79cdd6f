// FindingList: the findings of one check, in the order they were found.
#ifndef QVKDC_TOOLS_CHECK_FINDINGLIST_H
#define QVKDC_TOOLS_CHECK_FINDINGLIST_H

#include <string>
#include <vector>

#include "check/Finding.h"

class FindingList {
 public:
    void Add(Finding finding);
    void Add(Severity severity, const std::string& file, int line,
             std::string message, const char* code, int column = -1);

    const std::vector<Finding>& All() const { return findings_; }
    int Count(Severity severity) const;
    bool HasErrors() const { return Count(Severity::kError) > 0; }
    // "2 errors, 1 warning, 0 notes".
    std::string Summary() const;

 private:
    std::vector<Finding> findings_;
};

#endif  // QVKDC_TOOLS_CHECK_FINDINGLIST_H
