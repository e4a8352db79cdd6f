// Entry and exit protocol shared by the two internal entry functions,
// QvkdcCreOutputData and QvkdcIsExistFile.
#ifndef QVKDC_ENTRY_QVKDCENTRY_H
#define QVKDC_ENTRY_QVKDCENTRY_H

#include "host/FailureTrace.h"
#include "host/TraceScope.h"
#include "qvkdc/qvkdc.h"

// Traces the five arguments while tracing is active: "iPlnIdCnt", then for
// each plan "iPlnIdArr " and its four fields, then "iOutPath" and
// "iOutName". Lines that would read through a null pointer are left out.
void QvkdcTraceEntryArgs(const int* iPlnIdCnt, const ModelId* iPlnIdArr,
                         const char* iOutPath, const char* iOutName);

// True when none of the four input arguments is null; otherwise traces the
// failure FailStep::kInvalidArgument and returns false.
bool QvkdcCheckArgs(const int* iPlnIdCnt, const ModelId* iPlnIdArr,
                    const char* iOutPath, const char* iOutName);

// Exit protocol: writes status to *oStatusP and, when the entry was traced
// and tracing is still active, traces "oStatusP". The frame itself closes
// when scope ends.
// REQUIRES: oStatusP points to a writable int.
void QvkdcExitProtocol(const TraceScope& scope, int status, int* oStatusP);

// The failed step to trace for the exception being handled: kOutOfMemory
// for std::bad_alloc, kUnexpectedException for anything else. The entry functions catch every exception
// at their end, so that none leaves the library.
// REQUIRES: called inside a catch block.
FailStep QvkdcExceptionStep() noexcept;

// Traces the four fields of id with "%d" under their names.
void QvkdcTraceModelId(const ModelId& id);

#endif  // QVKDC_ENTRY_QVKDCENTRY_H
