// Checker: one run of `qvkdc check`: loads the table files and the option
// file under the current directory (the root an export would use), runs
// every check, and renders the findings.
#ifndef QVKDC_TOOLS_CHECK_CHECKER_H
#define QVKDC_TOOLS_CHECK_CHECKER_H

#include <memory>
#include <string>

#include "check/CheckInputs.h"
#include "check/ColumnPlan.h"
#include "check/FindingList.h"
#include "check/SelectionPlan.h"

class Checker {
 public:
    // displayRoot goes in front of the file names in findings ("" or a
    // folder ending in "/"). modelFile: the name of the model loaded into
    // the host, shown in findings; empty when no model is checked.
    Checker(std::string displayRoot, std::string modelFile);
    ~Checker();

    void Run();
    const FindingList& Findings() const { return findings_; }
    // The report in format "text", "json" or "html".
    std::string Report(const std::string& format) const;

 private:
    std::string displayRoot_;
    std::string modelFile_;
    CheckInputs inputs_;
    std::unique_ptr<ColumnPlan> columns_;
    std::unique_ptr<SelectionPlan> choices_;
    FindingList findings_;
};

#endif  // QVKDC_TOOLS_CHECK_CHECKER_H
