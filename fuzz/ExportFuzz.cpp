// Fuzz target: a whole output run over fuzzed table files, a fuzzed option
// file and fuzzed host faults, against a fixed small model, all in memory.
//
// Input: the sections of ExportInput.h: the six table files, the option
// file and the host calls to fail.
//
// After each run: no host block held, no bad free, every trace frame
// closed, one message 9999 exactly when the status is negative, and the
// existence check finds the files the run wrote.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "ExportInput.h"
#include "FuzzCheck.h"
#include "MemoryFiles.h"
#include "HostCalls.h"
#include "ExamineRun.h"
#include "qvhostsim/qvhostsim.h"

// The model and the trace switches stay for the whole run of the target:
// setting them up takes longer than most inputs.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    LoadExportModel();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string_view> sections =
        ExportSections(std::string_view(reinterpret_cast<const char*>(data), size));
    QvsimTraceClear();

    MemoryFiles files;
    PrepareInMemory(sections, &files);
    ScopedFileSystem scope(&files);

    const std::vector<ModelId> plans = ExportPlans();
    const int count = static_cast<int>(plans.size());
    const std::size_t before = files.Files().size();
    RunRequest request;
    request.plans = plans.data();
    request.count = count;
    request.out = "out";
    request.name = "F";
    const int status = RunExportAsHost(request);
    FuzzCheck(QvsimHeldBlocks() == 0, "every host block is given back");
    FuzzCheck(QvsimBadFrees() == 0, "nothing is freed twice or foreign");
    FuzzCheck(ZrlCurrentGet() == nullptr, "every trace frame is closed");
    FuzzCheck(RunFailedMessages() == (status < 0 ? 1 : 0),
              "one message 9999 exactly when the run fails");

    const bool wrote = files.Files().size() > before;
    const int exists = CheckExisting(plans.data(), count, "out", "F").status;
    FuzzCheck(exists == (wrote ? 1 : 0), "the existence check finds the files written");
    FuzzCheck(ZrlCurrentGet() == nullptr, "every trace frame is closed");
    return 0;
}
