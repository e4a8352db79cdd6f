// HostSession: what the command-line host does around a library call, the
// way the CAM application would: load the model, move to the root folder,
// open its own output files and the trace, and afterwards hand out the
// message list and check that the library gave back all host memory. What
// the library did it learns from the library itself (ExamineRun.h).
#ifndef QVKDC_TOOLS_SESSION_HOSTSESSION_H
#define QVKDC_TOOLS_SESSION_HOSTSESSION_H

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "system/ExitCodes.h"
#include "system/SystemFiles.h"
#include "qvkdc/qvkdc.h"

struct HostOptions {
    std::string model;      // model file; empty: no model
    std::string plans;      // comma-separated plan indexes
    bool plansGiven = false;
    std::string root;       // working directory of the library call
    std::string trace;      // trace file; empty: no trace
    std::string traceIds;   // comma-separated trace ids at level 1
    std::string messages;   // message list file
};

// The message manager's list as the library left it. Its lines stay in the
// host, which holds them anyway, and are read one at a time.
struct MessageList {
    bool hasTitle = false;
    std::string title;
    int count = 0;
    // Line i. REQUIRES: 0 <= i < count, the host's list is as it was read.
    std::string Line(int i) const;
};

class HostSession {
 public:
    // Bytes of the message list written at a time.
    static constexpr std::size_t kMessageBlock = 64 * 1024;

    explicit HostSession(HostOptions options);

    // Resets the stand-in host, loads the model and resolves the plan list.
    // Returns kExitOk, or kExitUsage after printing one line on stderr.
    int LoadModel();
    // Prints "qvkdc: " and line on stderr and keeps line as the refusal of
    // the command. Returns kExitUsage.
    int Refuse(const std::string& line);
    // The last line given to Refuse; "" when there was none.
    const std::string& Refusal() const { return refusal_; }
    // Moves into the root folder (when given). Returns kExitOk or
    // kExitUsage.
    int EnterRoot();
    // Checks the files qvkdc writes itself (the trace file, the message list
    // and `more`, each with the option that names it) before the library
    // writes anything, then opens the message list and, when a trace file
    // was asked for, switches the trace on into it. Returns kExitOk, or
    // kExitUsage after one line on stderr.
    int OpenOutputs(const std::vector<std::pair<std::string, std::string>>& more = {});
    // Refuses a file that qvkdc writes itself (sideFiles, each with the
    // option that names it; an empty path is not given) when it is a file
    // of the call: the model, a table file or the option file below the
    // root, the CSV file of one of the first outputCount plans (output(k):
    // plan k's native path, "" for a plan without one; each asked for
    // once), or the file of another such option. Call it in the root,
    // before anything is written. Returns kExitOk, or kExitUsage after one
    // line on stderr, with the refused option in *refused when it is given.
    // REQUIRES: outputCount is 0 or the number of plans.
    int RefuseFilesOfTheCall(const std::vector<std::pair<std::string, std::string>>& sideFiles,
                             int outputCount, const std::function<std::string(int)>& output,
                             std::string* refused = nullptr);

    // Plans of the call, in the order given.
    std::vector<ModelId>& plans() { return plans_; }
    // Their numbers in the model (the indexes --plans names), in that order.
    const std::vector<int>& planNumbers() const { return numbers_; }
    // The numbers --plans lists more than once, each once, in order.
    std::vector<int> RepeatedPlans() const;
    int* planCount() { return &planCount_; }
    const HostOptions& options() const { return options_; }

    // Stops the trace, writes the message list (when asked for), checks the
    // host memory and returns the exit code for status, after a line on
    // stderr for anything that changes it. A trace file or message list
    // that could not be written whole makes it kExitOutput; what was
    // written of such a trace file is removed (the stand-in tells why its
    // write failed).
    int Conclude(int status);
    // Prints "status: N", the last line on stdout.
    static void PrintStatus(int status);
    // Conclude, then PrintStatus; returns the exit code.
    int Finish(int status);

    // The message manager's list now.
    static MessageList Messages();

 private:
    int ParsePlans();
    int SetUpTrace();

    HostOptions options_;
    std::vector<ModelId> plans_;
    std::vector<int> numbers_;
    int planCount_ = 0;
    std::vector<int> traceIds_;
    OutputFile messagesOut_;
    std::string refusal_;
    std::string modelPath_;  // the model file, from where qvkdc was started
};

// Splits "1,2,3" into ints. Returns false on anything that is not a
// comma-separated list of decimal ints; the empty text is an empty list.
bool ParseIntList(const std::string& text, std::vector<int>* values);

// path made absolute against the folder qvkdc was started in ("" stays "").
std::string AbsolutePath(const std::string& path);

// Checks that a file qvkdc is to write can be created at path: its folder
// exists and path is not a folder. Returns "" or the reason.
std::string OutputFileProblem(const std::string& path);

#endif  // QVKDC_TOOLS_SESSION_HOSTSESSION_H
