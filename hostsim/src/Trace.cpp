// Placeholder: the trace facility of the stand-in host.
#include <cstdarg>

#include "host/Zrl.h"

unsigned char ZrlMainSw = 0;
unsigned char ZrlProgSw[1 << 20] = {};

namespace {
TraceFrame* g_current = nullptr;
}

TraceFrame** ZrlCurrentAreaGet(void) { return &g_current; }
void ZrlStkLvlInc(void) {}
void ZrlStkLvlDec(void) {}
TraceFrame* ZrlCurrentGet(void) { return g_current; }
void ZrlInt(const TraceRecord*) {}
void ZrlTrceMk(int, const char*, int32_t) {}
void ZrlVal(const char*, const char*, ...) {}
void ZrlChr(const char*) {}
void ZrlSnp(const char*, const char*, const void*, int, int) {}
