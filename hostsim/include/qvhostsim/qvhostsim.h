/*
 * Control interface of the stand-in host.
 *
 * The stand-in host implements the host libraries' calls (trace facility,
 * message manager, model database, table reader, parameter and tool
 * services) over a model file, the way the CAM application's own libraries
 * answer them. The command-line host and the tests drive it through these
 * calls: load a model, switch tracing, read back the trace and the message
 * list, count the host memory still held, and make host calls fail on
 * purpose.
 *
 * All state is process-wide. Texts returned stay valid until the next call
 * that changes the state they come from.
 */
#ifndef QVHOSTSIM_QVHOSTSIM_H
#define QVHOSTSIM_QVHOSTSIM_H

#include "host/QvHostApi.h"
#include "qvkdc/qvkdc.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Back to the start state: no model, default messages, tracing off with
 * every level 0, empty trace and message list, no faults. Host blocks still
 * held stay counted. */
QVHOST_API void QvsimReset(void);

/* ---- model ---- */

/* Loads a model file (JSON) and replaces the current model. Returns 0, or -1
 * with a one-line reason naming the file and the place in err (errSize
 * bytes, NUL-terminated); the current model is then left as it was. */
QVHOST_API int QvsimLoadModelFile(const char* path, char* err, int errSize);
/* The same for a model given as text; `name` stands for the file in err. */
QVHOST_API int QvsimLoadModelText(const char* json, const char* name,
                                  char* err, int errSize);
/* Number of plans of the model, and the id of plan i (0-based, file order).
 * QvsimPlanId returns 0, or -1 when i is out of range. */
QVHOST_API int QvsimPlanCount(void);
QVHOST_API int QvsimPlanId(int i, ModelId* id);

/* ---- trace facility ---- */

/* Sets ZrlMainSw and every level of ZrlProgSw to `level` (0 or 1 in use). */
QVHOST_API void QvsimTraceAll(int mainSw, int level);
/* Sets the level of one trace id. */
QVHOST_API void QvsimTraceId(int id, int level);
/* Also appends every trace line to the file at path (null: stop). The file
 * is created anew. Returns 0, or -1 when it cannot be opened. */
QVHOST_API int QvsimTraceFile(const char* path);
/* Whole trace written since the last reset or QvsimTraceClear. */
QVHOST_API const char* QvsimTraceText(void);
QVHOST_API void QvsimTraceClear(void);

/* ---- message manager ---- */

/* Title line given to QvmsgSetClmTtl, or null when none was set. */
QVHOST_API const char* QvsimMsgTitle(void);
/* Number of message lines, and line i (null when out of range). */
QVHOST_API int QvsimMsgCount(void);
QVHOST_API const char* QvsimMsgAt(int i);
/* Number of QvmsgMgrInit calls since reset. */
QVHOST_API int QvsimMsgInitCount(void);

/* ---- host memory ---- */

/* Number of process id lists and process records handed out and not yet
 * given back. */
QVHOST_API int QvsimHeldBlocks(void);

/* ---- fault injection ---- */

/* Makes the nth call (1-based, counted from now) of the named host call fail
 * the way that call reports failure ("QdgmRetLstRO", "QdgmInqNctyp",
 * "QdgmGetPrcs", "QdgmRetIdnamLN", "QdgmRetLstRM", "QvlbpPrcInqPrm",
 * "QvptfInqLnN", "ReadTable"); n = 0 clears it. Returns 0, or -1 for an
 * unknown name. */
QVHOST_API int QvsimFailCall(const char* call, int nth);
/* Number of calls of the named host call since reset. */
QVHOST_API int QvsimCallCount(const char* call);

#ifdef __cplusplus
}
#endif

#endif /* QVHOSTSIM_QVHOSTSIM_H */
