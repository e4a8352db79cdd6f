/*
 * Qvkdc: CSV export of the machining knowledge of CAM plans.
 *
 * This is the whole interface a host application sees: the identifier record
 * of a model object and the two exported functions. Both take the same five
 * parameters and report their result only through the fifth.
 */
#ifndef QVKDC_QVKDC_H
#define QVKDC_QVKDC_H

#include <stdint.h>

/* The version macros QVKDC_VERSION_MAJOR, _MINOR, _PATCH, _STRING and
 * QVKDC_VERSION. */
#include "qvkdc/version.h"

#if defined(_WIN32)
#  if defined(QVKDC_BUILDING_DLL)
#    define QVKDC_API __declspec(dllexport)
#  else
#    define QVKDC_API __declspec(dllimport)
#  endif
#else
#  define QVKDC_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Identifier of one object of the CAM model database (a plan or a process).
 * Four 32-bit signed ints, no gap, 16 bytes; the library never interprets
 * them. */
typedef struct ModelId {
    int32_t objid;
    int32_t aplsec;
    int32_t insid;
    int32_t entid;
} ModelId;

/* Writes one CSV file per plan of the block.
 * REQUIRES: oStatusP points to a writable int.
 * iPlnIdCnt points to N; iPlnIdArr to N consecutive ModelId records;
 * iOutPath is the output folder, iOutName the output name (may be blank).
 * *oStatusP receives 0 when the run finished (also when no file was written),
 * -1 when it failed, or the negative result of a failed row conversion. */
QVKDC_API void QvkdcCreOutputDataWp(const int* iPlnIdCnt, const ModelId* iPlnIdArr,
                                    const char* iOutPath, const char* iOutName,
                                    int* oStatusP);

/* Tells whether any file that QvkdcCreOutputDataWp would write with the same
 * arguments already exists (a file or a folder of that name).
 * REQUIRES: oStatusP points to a writable int.
 * *oStatusP receives 0 = none exists, 1 = at least one exists,
 * -1 = invalid argument or a file path could not be made. */
QVKDC_API void QvkdcIsExistFileWp(const int* iPlnIdCnt, const ModelId* iPlnIdArr,
                                  const char* iOutPath, const char* iOutName,
                                  int* oStatusP);

#ifdef __cplusplus
}
#endif

#endif /* QVKDC_QVKDC_H */
