// ModelCheck: findings about a model against the tables, as the export would
// meet them plan by plan: plans it rejects, files that collide or land
// outside the output folder, parameters that are missing or of the wrong
// kind for their column, selection codes without a choice, and tool names
// too long for the tool text lookup. It reads the model through the same
// host calls as the export.
#ifndef QVKDC_TOOLS_CHECK_MODELCHECK_H
#define QVKDC_TOOLS_CHECK_MODELCHECK_H

#include <set>
#include <string>
#include <vector>

#include "check/CheckContext.h"
#include "check/ValueTally.h"
#include "host/Qdgm.h"

class ModelCheck {
 public:
    // modelFile: the model's name as shown in findings. REQUIRES: the model
    // is loaded into the host.
    ModelCheck(const CheckContext& ctx, std::string modelFile)
        : ctx_(ctx), file_(std::move(modelFile)) {}
    void Run();

 private:
    struct WrittenPlan {
        int index;
        std::string name;
    };

    void CheckPlan(int index);
    // False when the plan is rejected; reports it.
    bool CheckTypes(int index, const ModelId& plan, const std::string& name, const ModelId* list,
                    int count);
    // The machine names message 4 of a rejected plan carries; reports a plan
    // without machine data.
    void CheckMachine(int index, const ModelId& plan, const std::string& name);
    void CheckProcess(const std::string& plan, const ModelId& id);
    void CheckColumn(int column, const ModelId& id, QdgmPrcsRec* rec, const std::string& where);
    void CheckTool(const QdgmPrcsRec& rec, const std::string& where);
    void CheckFileNames();
    void Fail(const std::string& message);
    void FailParam(int key, const std::string& where, int status);

    const CheckContext& ctx_;
    std::string file_;
    ValueTally tally_;
    std::vector<WrittenPlan> written_;
    std::set<std::string> toolsSeen_;
    std::string lastMachines_;  // names in the message of the last rejected plan
    bool failed_ = false;
};

#endif  // QVKDC_TOOLS_CHECK_MODELCHECK_H
