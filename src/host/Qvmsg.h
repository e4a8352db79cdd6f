// Qvmsg, the host's message manager: a list of messages of three
// tab-separated columns that the host shows to the user.
#ifndef QVKDC_HOST_QVMSG_H
#define QVKDC_HOST_QVMSG_H

#include "QvHostApi.h"

extern "C" {

QVHOST_API void QvmsgMgrInit(void);
// REQUIRES: title is the three column titles joined by tabs, NUL-terminated.
QVHOST_API void QvmsgSetClmTtl(const char* title);
// REQUIRES: kind points to the message kind (3); line is NUL-terminated.
QVHOST_API void QvmsgAddMsg(const int* kind, const char* line);

}  // extern "C"

#endif  // QVKDC_HOST_QVMSG_H
