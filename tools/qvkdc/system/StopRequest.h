// StopRequest: Ctrl-C (SIGINT), SIGTERM or, on Windows, the console's
// close, asking a command that runs until it is told to stop (check
// --serve) to end cleanly: while the object lives the request only sets a
// flag, which the command looks at. A second request ends the process at
// once, as without the object.
#ifndef QVKDC_TOOLS_SYSTEM_STOPREQUEST_H
#define QVKDC_TOOLS_SYSTEM_STOPREQUEST_H

class StopRequest {
 public:
    // REQUIRES: no other StopRequest (or Interruption) lives.
    StopRequest();
    ~StopRequest();
    StopRequest(const StopRequest&) = delete;
    StopRequest& operator=(const StopRequest&) = delete;

    // Whether a stop was asked for since the object was made.
    static bool Asked();
};

#endif  // QVKDC_TOOLS_SYSTEM_STOPREQUEST_H
