// Placeholder: message resources and message manager of the stand-in host.
#include "host/Qvmsg.h"
#include "host/Zrl.h"

int ZrlErrGet(int, int, int, int*, char*) { return 0; }
void QvmsgMgrInit(void) {}
void QvmsgSetClmTtl(const char*) {}
void QvmsgAddMsg(const int*, const char*) {}
