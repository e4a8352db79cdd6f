#include "entry/QvkdcEntry.h"

#include <new>

void QvkdcTraceModelId(const ModelId& id) {
    TraceScope::Val("objid", id.objid);
    TraceScope::Val("aplsec", id.aplsec);
    TraceScope::Val("insid", id.insid);
    TraceScope::Val("entid", id.entid);
}

void QvkdcTraceEntryArgs(const int* iPlnIdCnt, const ModelId* iPlnIdArr,
                         const char* iOutPath, const char* iOutName) {
    if (!TraceScope::Active()) return;
    if (iPlnIdCnt != nullptr) {
        TraceScope::Val("iPlnIdCnt", *iPlnIdCnt);
        if (iPlnIdArr != nullptr) {
            for (int i = 0; i < *iPlnIdCnt; ++i) {
                TraceScope::Val("iPlnIdArr ", i);
                QvkdcTraceModelId(iPlnIdArr[i]);
            }
        }
    }
    if (iOutPath != nullptr) TraceScope::Val("iOutPath", iOutPath);
    if (iOutName != nullptr) TraceScope::Val("iOutName", iOutName);
}

bool QvkdcCheckArgs(const int* iPlnIdCnt, const ModelId* iPlnIdArr,
                    const char* iOutPath, const char* iOutName) {
    if (iPlnIdCnt != nullptr && iPlnIdArr != nullptr && iOutPath != nullptr &&
        iOutName != nullptr) {
        return true;
    }
    TraceFailure(FailStep::kInvalidArgument);
    return false;
}

void QvkdcExitProtocol(const TraceScope& scope, int status, int* oStatusP) {
    *oStatusP = status;
    if (scope.StillActive()) TraceScope::Val("oStatusP", status);
}

FailStep QvkdcExceptionStep() noexcept {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return FailStep::kOutOfMemory;
    } catch (...) {
        return FailStep::kUnexpectedException;
    }
}
