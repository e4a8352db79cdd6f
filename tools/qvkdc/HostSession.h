// HostSession: what the command-line host does around one library call, the
// way the CAM application would: load the model, switch the trace, move to
// the root folder, and afterwards collect the messages and check that the
// library gave back all host memory.
#ifndef QVKDC_TOOLS_HOSTSESSION_H
#define QVKDC_TOOLS_HOSTSESSION_H

#include <string>
#include <vector>

#include "qvkdc/qvkdc.h"

// Exit codes of qvkdc.
enum QvkdcExit {
    kExitOk = 0,          // library status 0 or above
    kExitFailed = 1,      // library status negative
    kExitUsage = 2,       // bad command line or model file
    kExitExists = 3,      // export refused: output files exist
    kExitHostMemory = 4,  // host memory still held after the call
};

struct HostOptions {
    std::string model;      // model file; empty: no model
    std::string plans;      // comma-separated plan indexes
    bool plansGiven = false;
    std::string root;       // working directory of the library call
    std::string trace;      // trace file; empty: tracing off
    std::string traceIds;   // comma-separated trace ids at level 1
    std::string messages;   // message list file
};

class HostSession {
 public:
    explicit HostSession(HostOptions options);

    // Loads the model, resolves the plan list and switches the trace.
    // Returns kExitOk, or kExitUsage after printing one line on stderr.
    int Prepare();
    // Moves into the root folder (when given). Returns kExitOk or
    // kExitUsage.
    int EnterRoot();
    // Plans of the call, in the order given.
    std::vector<ModelId>& plans() { return plans_; }
    int* planCount() { return &planCount_; }
    // Writes the message list (when asked for), prints "status: N" and
    // returns the exit code for status.
    int Finish(int status);

 private:
    int ParsePlans();
    int SetUpTrace();

    HostOptions options_;
    std::vector<ModelId> plans_;
    int planCount_ = 0;
};

// Splits "1,2,3" into ints. Returns false on anything that is not a
// comma-separated list of decimal ints; the empty text is an empty list.
bool ParseIntList(const std::string& text, std::vector<int>* values);

#endif  // QVKDC_TOOLS_HOSTSESSION_H
