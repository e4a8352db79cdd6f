// ZARNEL, the host's trace facility, and its message text lookup.
//
// Every traced function of the library opens a TraceFrame on entry and closes
// it on exit (see TraceScope.h, which is the only user of the frame calls).
// Value, text and dump lines are written only while tracing is active: the
// master switch is 1 and the innermost frame's level is above 0.
#ifndef QVKDC_HOST_ZRL_H
#define QVKDC_HOST_ZRL_H

#include <stdint.h>

#include "QvHostApi.h"

extern "C" {

// Static record of one traced function.
struct TraceRecord {
    int32_t id;
    const char* name;
};

// One open trace frame; lives in the traced call.
struct TraceFrame {
    TraceFrame* prev;
    const TraceRecord* rec;
    signed char level;
};

// Master switch: 1 = tracing on.
QVHOST_API extern unsigned char ZrlMainSw;
// Level of each traced function, indexed by trace id.
QVHOST_API extern unsigned char ZrlProgSw[];

// Address of the slot that holds the innermost frame (null when none).
QVHOST_API TraceFrame** ZrlCurrentAreaGet(void);
QVHOST_API void ZrlStkLvlInc(void);
QVHOST_API void ZrlStkLvlDec(void);
// Innermost frame, or null when no frame is open.
QVHOST_API TraceFrame* ZrlCurrentGet(void);
// Entry line of a frame.
QVHOST_API void ZrlInt(const TraceRecord* rec);
// Exit line of a frame; kind is 1.
QVHOST_API void ZrlTrceMk(int kind, const char* name, int32_t id);
// Named value: format "%d" with an int, "%s" with a NUL-terminated text.
QVHOST_API void ZrlVal(const char* label, const char* format, ...);
// One text line (may hold line feeds).
QVHOST_API void ZrlChr(const char* text);
// Named memory dump: count values of size bytes each at data, in format.
QVHOST_API void ZrlSnp(const char* label, const char* format,
                       const void* data, int count, int size);

// Message text number `number` of message group `group` into `text`
// (256 bytes). The result and *unused are not read by the library.
QVHOST_API int ZrlErrGet(int group, int number, int zero, int* unused,
                         char* text);

}  // extern "C"

#endif  // QVKDC_HOST_ZRL_H
