// TraceIds: the trace ids of the library's traced functions. A host sets a
// level for each (ZrlProgSw) to choose what its trace follows.
#ifndef QVKDC_EXAMINE_TRACEIDS_H
#define QVKDC_EXAMINE_TRACEIDS_H

// The main switch (ZrlMainSw) that lets the library trace, and the level of
// an id that makes its functions trace; 0 turns either off.
inline constexpr int kTraceMainOn = 1;
inline constexpr int kTraceLevelOn = 1;

// QvkdcCreOutputData, the output run.
inline constexpr int kCreOutputDataTraceId = 577685;
// The table steps of CQvkdcCnvTblCtrl.
inline constexpr int kCnvTblTraceId = 577686;
// CnvOutData, the conversion of one value. A host that keeps only the
// notes of a run leaves it off: following every value costs as much as
// converting it.
inline constexpr int kCnvOutDataTraceId = 577687;
// QvkdcIsExistFile, the existence check.
inline constexpr int kIsExistFileTraceId = 577710;
// QvkdcGetFilePath, the path of one plan's file.
inline constexpr int kGetFilePathTraceId = 577711;

// Every id above: a host switches on no other.
inline constexpr int kTraceIds[] = {kCreOutputDataTraceId, kCnvTblTraceId, kCnvOutDataTraceId, kIsExistFileTraceId,
                                    kGetFilePathTraceId};

#endif  // QVKDC_EXAMINE_TRACEIDS_H
