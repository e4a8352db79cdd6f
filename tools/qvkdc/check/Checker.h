// Checker: one run of `qvkdc check`: looks at the table files and the option
// file under the current directory (the root an export would use), builds
// the tables by the library's own steps, runs every check and, with a model,
// the library's export over every plan; then renders the findings.
#ifndef QVKDC_TOOLS_CHECK_CHECKER_H
#define QVKDC_TOOLS_CHECK_CHECKER_H

#include <memory>
#include <string>
#include <vector>

#include "check/CheckInputs.h"
#include "check/ExportCall.h"
#include "check/ExportPreview.h"
#include "check/FindingList.h"
#include "report/ReportFacts.h"
#include "report/ReportWriter.h"
#include "check/TableBuild.h"

class Checker {
 public:
    // displayRoot goes in front of the file names in findings ("" or a
    // folder ending in "/"). modelFile: the name of the model loaded into
    // the host, shown in findings; empty when no model is checked.
    // encoding: the code page of the texts; null for the default one.
    // call: the plans and files of the export the model is checked for.
    // REQUIRES: encoding outlives the checker.
    Checker(std::string displayRoot, std::string modelFile, const TextEncoding* encoding = nullptr,
            ExportCall call = ExportCall());
    ~Checker();

    // Keeps the first rows of each file the export writes, for the page.
    // REQUIRES: called before Run.
    void KeepPreview() { keepPreview_ = true; }
    // Warnings and notes of these codes are counted as ignored, not listed
    // (FindingList::Ignore). REQUIRES: before Run.
    void Ignore(const std::vector<FindingCode>& codes) { findings_.Ignore(codes); }
    void Run();
    const FindingList& Findings() const { return findings_; }
    // The files the export writes, as far as kept; null unless KeepPreview
    // was called and a model checked.
    const ExportPreview* Preview() const { return preview_.get(); }
    // Writes the report in format "text", "json" or "html" to out, as it
    // is made. REQUIRES: Run was called; out is not finished.
    void Report(const std::string& format, ReportWriter* out) const;

 private:
    std::string displayRoot_;
    std::string modelFile_;
    ExportCall call_;
    std::unique_ptr<TextEncoding> defaultEncoding_;
    ReportFacts facts_;
    CheckInputs inputs_;
    std::unique_ptr<TableBuild> build_;
    bool keepPreview_ = false;
    std::unique_ptr<ExportPreview> preview_;
    FindingList findings_;
};

#endif  // QVKDC_TOOLS_CHECK_CHECKER_H
