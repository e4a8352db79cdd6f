// FailureTrace: how the library traces a failed step, and who hears of it.
//
// Every failure line of the library goes through here, so that a tool that
// follows a call in process (the examination interface) is told of each one,
// with its step, whether tracing is on or not.
#ifndef QVKDC_HOST_FAILURETRACE_H
#define QVKDC_HOST_FAILURETRACE_H

#include <string_view>

#include "examine/FailurePoints.h"

// Traces step's line (TraceScope::Chr), tells the listener, and returns
// kFailureStatus. REQUIRES: step is neither kNone nor kCount.
int TraceFailure(FailStep step);
// The same for the line of a composed step (FailurePoint::composed), which
// goes on after its note.
int TraceFailureLine(FailStep step, std::string_view line);

// Told of every failure traced while it is installed.
class FailureListener {
 public:
    virtual ~FailureListener() = default;
    // line: the whole failure line; valid during the call only.
    virtual void Failed(FailStep step, std::string_view line) = 0;
};

// Installs listener until the scope ends. REQUIRES: listener outlives the
// scope; scopes nest in stack order.
class ScopedFailureListener {
 public:
    explicit ScopedFailureListener(FailureListener* listener);
    ~ScopedFailureListener();
    ScopedFailureListener(const ScopedFailureListener&) = delete;
    ScopedFailureListener& operator=(const ScopedFailureListener&) = delete;

 private:
    FailureListener* previous_;
};

#endif  // QVKDC_HOST_FAILURETRACE_H
