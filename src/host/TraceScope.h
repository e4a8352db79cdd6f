// TraceScope: one open trace frame of a traced function, for the length of
// the call.
//
// The constructor runs the entry protocol (link the frame into the host's
// slot, raise the stack level, take the function's level from ZrlProgSw and
// write the entry line when it is not 0) and notes whether tracing was
// active at entry; the destructor runs the exit protocol in reverse. Value,
// text and dump lines are written only while tracing is active, so callers
// never test the switches themselves.
#ifndef QVKDC_HOST_TRACESCOPE_H
#define QVKDC_HOST_TRACESCOPE_H

#include <string>

#include "host/Zrl.h"
#include "qvkdc/qvkdc.h"

class TraceScope {
 public:
    // REQUIRES: rec outlives the scope (trace records are static).
    explicit TraceScope(const TraceRecord& rec);
    ~TraceScope();
    TraceScope(const TraceScope&) = delete;
    TraceScope& operator=(const TraceScope&) = delete;

    // True while the master switch is 1 and the innermost frame's level is
    // above 0.
    static bool Active();
    // True when tracing was active right after this frame was opened.
    bool ActiveAtEntry() const { return active_at_entry_; }
    // True when tracing was active at entry and still is.
    bool StillActive() const { return active_at_entry_ && Active(); }

    // "%d" value line, written only while tracing is active.
    static void Val(const char* label, int value);
    // "%s" value line, written only while tracing is active.
    static void Val(const char* label, const char* text);
    static void Val(const char* label, const std::string& text) {
        Val(label, text.c_str());
    }
    // Text line, written only while tracing is active.
    static void Chr(const char* text);
    static void Chr(const std::string& text) { Chr(text.c_str()); }
    // "%x" dump of the four fields of id, written only while tracing is
    // active.
    static void Snp(const char* label, const ModelId& id);

 private:
    TraceFrame frame_;
    TraceFrame** slot_;
    bool active_at_entry_;
};

#endif  // QVKDC_HOST_TRACESCOPE_H
