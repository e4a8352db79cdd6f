// Placeholder: control interface of the stand-in host.
#include "qvhostsim/qvhostsim.h"

void QvsimReset(void) {}
int QvsimLoadModelFile(const char*, char*, int) { return -1; }
int QvsimLoadModelText(const char*, const char*, char*, int) { return -1; }
int QvsimPlanCount(void) { return 0; }
int QvsimPlanId(int, ModelId*) { return -1; }
void QvsimTraceAll(int, int) {}
void QvsimTraceId(int, int) {}
int QvsimTraceFile(const char*) { return -1; }
const char* QvsimTraceText(void) { return ""; }
void QvsimTraceClear(void) {}
const char* QvsimMsgTitle(void) { return nullptr; }
int QvsimMsgCount(void) { return 0; }
const char* QvsimMsgAt(int) { return nullptr; }
int QvsimMsgInitCount(void) { return 0; }
int QvsimHeldBlocks(void) { return 0; }
int QvsimFailCall(const char*, int) { return -1; }
int QvsimCallCount(const char*) { return 0; }
