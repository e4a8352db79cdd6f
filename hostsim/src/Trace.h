// Trace facility of the stand-in host: the switches, the frame slot, the
// stack level and the line formats of the trace calls.
//
// Line formats, one line per call:
//   ZrlInt      ">> NAME [ID]"
//   ZrlTrceMk   "<< NAME [ID]"
//   ZrlVal      "LABEL = VALUE", VALUE printed with the call's format
//   ZrlChr      the text as given; a text with line feeds keeps them, and a
//               line feed ends it unless it ends with one already
//   ZrlSnp      "LABEL = V1 V2 ...", each value printed with the call's
//               format
// Each line starts with two blanks per open stack level below the outermost
// (2 * (level - 1), none at level 0 or 1); a multi-line text of ZrlChr is
// indented at its start only. The facility writes every line it is asked
// for: whether tracing is active is the caller's decision.
#ifndef QVHOSTSIM_TRACE_H
#define QVHOSTSIM_TRACE_H

#include "TraceSink.h"

namespace qvsim {

extern TraceSink g_traceSink;
inline TraceSink& TheTraceSink() { return g_traceSink; }
// Switches and every level 0, no open frame, stack level 0, empty trace, no
// trace file.
void TraceReset();

}  // namespace qvsim

#endif  // QVHOSTSIM_TRACE_H
