// FileNameCheck: the files the plans of an export go to. With the export's
// output folder (ExportCall::outGiven) every path is the library's own
// composition (QvkdcGetFilePath, by PlanFiles), and whether a part of
// a name separates folders is asked of the platform's file layer
// (FileSystem::NameStart), so that the check says what this machine's
// export will do. Without it, the names a blank output name gives are
// looked at in the folder ".".
#ifndef QVKDC_TOOLS_CHECK_FILENAMECHECK_H
#define QVKDC_TOOLS_CHECK_FILENAMECHECK_H

#include <functional>
#include <string>
#include <vector>

#include "export/PlanFiles.h"
#include "export/PlanOutcome.h"
#include "check/CheckContext.h"
#include "check/ExportCall.h"
#include "ExamineRun.h"

class FileNameCheck {
 public:
    // planName(i): "plan N "NAME"" for the plan of block index i;
    // planLine(i): the line of the model file where it begins.
    // REQUIRES: the current folder is the root of the call.
    FileNameCheck(const CheckContext& ctx, std::string modelFile, const ExportCall& call,
                  std::function<std::string(int)> planName, std::function<int(int)> planLine);

    // Before the runs: an error when the export refuses the output folder,
    // a note when there is none to check, else every plan's path. Returns
    // true when the run is to meet the names (the folder is usable).
    bool Prepare(const ModelId* plans, int count);

    // A run that failed at the output stage of plan (its block index), at
    // step: composing its path (failure: what the library told, the step's
    // own line last) or its file (path and why: the file and the system's
    // reason).
    void ReportFailure(int plan, FailStep step, const CallFailure& failure, const std::string& path,
                       const Status& why);

    // After the runs: where the written plans' files land, plans that write
    // one file, plan names that break a line, and files that exist.
    void Run(const std::vector<PlanOutcome>& outcomes);

    // The file of plan (its block index) as the platform opens it, when the
    // names are met; "" when they are not or it has no name.
    std::string ShownFile(int plan) const;

 private:
    const CheckContext& ctx_;
    std::string file_;
    const ExportCall& call_;
    std::function<std::string(int)> planName_;
    std::function<int(int)> planLine_;
    bool names_ = false;
    std::vector<PlanFile> files_;
};

#endif  // QVKDC_TOOLS_CHECK_FILENAMECHECK_H
