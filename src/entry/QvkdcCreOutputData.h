// QvkdcCreOutputData: the output run behind QvkdcCreOutputDataWp.
#ifndef QVKDC_ENTRY_QVKDCCREOUTPUTDATA_H
#define QVKDC_ENTRY_QVKDCCREOUTPUTDATA_H

#include "qvkdc/qvkdc.h"

class CnvTblObserver;
class QvkdcRunObserver;
struct QvkdcRunPlace;

// Writes one CSV file per plan of the block; the status goes to *oStatusP.
// An exception inside the run (memory exhausted) fails it like any other
// failure: the trace says "[ERR] : Out of memory", the status is -1 and one
// message 9999 goes out.
// REQUIRES: oStatusP points to a writable int.
void QvkdcCreOutputData(const int* iPlnIdCnt, const ModelId* iPlnIdArr,
                        const char* iOutPath, const char* iOutName,
                        int* oStatusP);

// The same run, for tools that follow one in process (the table check, a
// dry run): when oPlace is not null it receives where the run was when it
// failed (or where it ended), with the step that failed (FailStep::kNone
// when none did) and, when a file could not be opened or written, its path
// and the system's reason. With iFirstPlan above 0 the plan loop starts
// at that index of the block, leaving the plans before it out, while every
// file is named as in a run of the whole block (the plan index, the single
// flag); a tool so goes on after a plan that failed. When iObserver is not
// null it is told of every plan and cell, and iTableObserver of what the
// table steps read.
// REQUIRES: iFirstPlan >= 0.
void QvkdcCreOutputDataAt(const int* iPlnIdCnt, const ModelId* iPlnIdArr,
                          const char* iOutPath, const char* iOutName,
                          int* oStatusP, QvkdcRunPlace* oPlace,
                          int iFirstPlan = 0,
                          QvkdcRunObserver* iObserver = nullptr,
                          CnvTblObserver* iTableObserver = nullptr);

#endif  // QVKDC_ENTRY_QVKDCCREOUTPUTDATA_H
