#include "entry/QvkdcGetFilePath.h"

#include <cstring>
#include <string>

#include "entry/QvkdcEntry.h"
#include "entry/QvkdcText.h"
#include "examine/FailurePoints.h"
#include "host/HostText.h"
#include "host/Qdgm.h"
#include "host/FailureTrace.h"
#include "host/TraceScope.h"
#include "examine/TraceIds.h"
#include "examine/TextTrim.h"

namespace {

const TraceRecord kRecord = {kGetFilePathTraceId, "::QvkdcGetFilePath"};

// File base of the plan; false when the plan's name cannot be read.
bool MakeFileBase(int index, const ModelId& plan, const char* outName,
                  int singleFlg, std::string* base) {
    const std::string_view name = TrimSpace(outName);
    if (!name.empty() && singleFlg == 0) {
        base->assign(name);
        QvkdcAppendIndex3(index, base);
        return true;
    }
    if (!name.empty() && singleFlg == 1) {
        base->assign(name);
        return true;
    }
    HostText<kQdgmNameSize> planName;
    if (QdgmRetIdnamLN(&plan, planName.data()) < 0) {
        TraceFailure(FailStep::kPlanName);
        return false;
    }
    base->assign(planName.view());
    return true;
}

}  // namespace

int QvkdcGetFilePath(int iPlnIdx, const ModelId* iPlnId, const char* iOutFld,
                     const char* iOutName, int iSingleFlg, char* oOutPath) {
    TraceScope scope(kRecord);
    if (TraceScope::Active()) {
        if (iPlnId != nullptr) QvkdcTraceModelId(*iPlnId);
        if (iOutFld != nullptr) TraceScope::Val("iOutFld", iOutFld);
        if (iOutName != nullptr) TraceScope::Val("iOutName", iOutName);
    }
    int result = -1;
    if (iPlnId == nullptr || iOutFld == nullptr || iOutName == nullptr) {
        TraceFailure(FailStep::kInvalidArgument);
    } else {
        std::string path;
        if (MakeFileBase(iPlnIdx, *iPlnId, iOutName, iSingleFlg, &path)) {
            path.insert(0, "\\");
            path.insert(0, iOutFld);
            path += ".csv";
            if (path.size() >= kQvkdcPathSize) {
                TraceFailure(FailStep::kPathTooLong);
            } else {
                std::memcpy(oOutPath, path.c_str(), path.size() + 1);
                result = 0;
            }
        }
    }
    if (scope.StillActive() && oOutPath != nullptr) {
        TraceScope::Val("oOutPath",
                        std::string(oOutPath, strnlen(oOutPath, kQvkdcPathSize - 1)));
    }
    return result;
}
