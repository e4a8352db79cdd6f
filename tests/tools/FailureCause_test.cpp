// Why a library call failed, told from what the library told of it: the
// steps, the table files found, the host's answer, the system's reason.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/FailureCause.h"
#include "examine/FileSystem.h"
#include "support/HostFixture.h"

namespace {

using FailureCauseTest = HostTest;

CallFailure Notes(std::vector<FailStep> steps) {
    CallFailure failure;
    for (FailStep step : steps) failure.notes.push_back({step, FailurePointOf(step).Line()});
    return failure;
}

TEST_F(FailureCauseTest, TheCauseComesFromWhatTheLibraryTold) {
    bool found[kCnvTblFileCount] = {true, true, false, true, true, true};
    FailureDetail tables;
    tables.tableFound = found;
    bool firstMissing[kCnvTblFileCount] = {false, true, true, true, true, false};
    FailureDetail first;
    first.tableFound = firstMissing;
    FailureDetail file;
    file.fileReason = Status::FromSystem(13, "Permission denied");
    FailureDetail value;
    value.hostCall.call = HostCall::kQvlbpPrcInqPrm;
    value.hostCall.key = 12;
    value.hostCall.answer = -3;
    FailureDetail noName;
    noName.hostCall.call = HostCall::kQdgmRetIdnamLN;
    noName.hostCall.whose = HostCallFailure::kProcess;
    noName.hostCall.answer = -1;
    FailureDetail noPlanName = noName;
    noPlanName.hostCall.whose = HostCallFailure::kPlan;
    FailureDetail unreadable;
    unreadable.unreadable = Status::FromSystem(13, "Permission denied");
    const FailureContext at{"plan 1 \"P\"", "process \"Q\" (1 2 3 4)", "out/P.csv"};
    const struct {
        std::vector<FailStep> steps;
        const FailureDetail* detail;
        std::vector<std::string> told;
    } cases[] = {
        {{FailStep::kFileOpen}, &file,
         {"the output file could not be created, at plan 1 \"P\": out/P.csv", "Permission denied"}},
        {{FailStep::kSettingsNotImported, FailStep::kCreColTbl}, &tables,
         {"the column table could not be built from the table files, at plan 1 \"P\"",
          "missing from " + FileSystem::Current()->NativePath("\\MIRVANE\\CAM\\KR\\Tables\\") +
              ": ParameterSettingTable.tsv"}},
        {{FailStep::kSettingsNotImported, FailStep::kCreColTbl}, &first,
         {"the column table could not be built from the table files, at plan 1 \"P\"",
          "missing from " + FileSystem::Current()->NativePath("\\MIRVANE\\CAM\\KR\\Tables\\") +
              ": ExteriorTable.tsv, PlanCSVTable.tsv"}},
        {{FailStep::kCnvPrcsVal, FailStep::kCnvOutData}, &value,
         {"a value could not be converted, at process \"Q\" (1 2 3 4) of plan 1 \"P\"",
          "the parameter 12 answers the status -3, in the converter's step CnvPrcsVal"}},
        {{FailStep::kExteriorTableUnreadable, FailStep::kImpCnvTbl}, &unreadable,
         {"the table files could not be imported, at plan 1 \"P\"",
          FileSystem::Current()->NativePath("\\MIRVANE\\CAM\\KR\\Tables\\ExteriorTable.tsv") +
              ": Permission denied"}},
        {{FailStep::kPlanCSVTableUnreadable, FailStep::kImpCnvTbl}, &value,
         {"the table files could not be imported, at plan 1 \"P\"",
          FileSystem::Current()->NativePath("\\MIRVANE\\CAM\\KR\\Tables\\PlanCSVTable.tsv") +
              ": the table reader cannot read it as a table"}},
        {{FailStep::kCnvPrcsNam, FailStep::kCnvOutData}, &noName,
         {"a value could not be converted, at process \"Q\" (1 2 3 4) of plan 1 \"P\"",
          "the model database gave no name for the process (QdgmRetIdnamLN answers -1), in the converter's step "
          "CnvPrcsNam"}},
        {{FailStep::kCnvPlanNam, FailStep::kCnvOutData}, &noPlanName,
         {"a value could not be converted, at process \"Q\" (1 2 3 4) of plan 1 \"P\"",
          "the model database gave no name for the plan (QdgmRetIdnamLN answers -1), in the converter's step "
          "CnvPlanNam"}},
        {{}, &value, {"the library gave no reason (its trace may tell more)"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExplainFailure(Notes(c.steps), *c.detail, at), c.told);
    }
}

}  // namespace
