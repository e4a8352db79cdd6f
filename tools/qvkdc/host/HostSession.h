// HostSession: what the command-line host does around a library call, the
// way the CAM application would: load the model, move to the root folder,
// open its own output files, follow the call through the trace facility and
// the call log, and afterwards hand out the message list and check that the
// library gave back all host memory.
#ifndef QVKDC_TOOLS_HOST_HOSTSESSION_H
#define QVKDC_TOOLS_HOST_HOSTSESSION_H

#include <string>
#include <vector>

#include "system/SystemFiles.h"
#include "qvhostsim/qvhostsim.h"
#include "qvkdc/qvkdc.h"

// Exit codes of qvkdc.
enum QvkdcExit {
    kExitOk = 0,          // library status 0 or above
    kExitFailed = 1,      // library status negative
    kExitUsage = 2,       // bad command line or model file
    kExitExists = 3,      // export refused: output files exist
    kExitHostMemory = 4,  // host memory still held after the call
    kExitOutput = 5,      // one of qvkdc's own outputs (standard output, the
                          // trace, the message list, a report or a page)
                          // could not be written whole
};

// The exit code when both code and other apply: the first of kExitOutput,
// kExitUsage, kExitHostMemory, kExitExists, kExitFailed and kExitOk. An
// output that failed comes first, since then what qvkdc wrote cannot be
// trusted: stderr tells the rest.
int CombinedExit(int code, int other);

// Tells on stderr that one of qvkdc's own outputs failed while it was
// written, flushed or closed: "qvkdc: WHAT: cannot be written: WHY", WHAT
// naming the file ("--report FILE") or "standard output". Returns
// kExitOutput.
int OutputFailure(const std::string& what, const std::string& why);

struct HostOptions {
    std::string model;      // model file; empty: no model
    std::string plans;      // comma-separated plan indexes
    bool plansGiven = false;
    std::string root;       // working directory of the library call
    std::string trace;      // trace file; empty: notes only, kept in memory
    std::string traceIds;   // comma-separated trace ids at level 1
    std::string messages;   // message list file
};

// What the library told the host during one call.
struct CallRecord {
    // Its trace notes, in order: the lines that begin with "[ERR]" or
    // "[INF]", without indentation.
    std::vector<std::string> notes;
    // The model database calls of the call log, in order.
    std::vector<QvsimCall> calls;

    // The error notes: the failure lines without their prefix
    // (FailureNoteOf).
    std::vector<std::string> Errors() const;
};

// The message manager's list as the library left it.
struct MessageList {
    bool hasTitle = false;
    std::string title;
    std::vector<std::string> lines;
};

class HostSession {
 public:
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
    // writes anything, then opens the message list and switches the trace
    // on: into the trace file when one was asked for, otherwise keeping only
    // the notes. Returns kExitOk, or kExitUsage after one line on stderr.
    int OpenOutputs(const std::vector<std::pair<std::string, std::string>>& more = {});
    // Starts following one library call: an empty kept trace, a new call log.
    void BeginCall();
    // What the library told during the call since BeginCall.
    CallRecord EndCall();

    // Plans of the call, in the order given.
    std::vector<ModelId>& plans() { return plans_; }
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
    int planCount_ = 0;
    std::vector<int> traceIds_;
    OutputFile messagesOut_;
    std::string refusal_;
};

// The notes of the trace kept since it was last cleared: the lines that
// begin with "[ERR]" or "[INF]", without indentation, in order.
std::vector<std::string> TraceNotes();
// While it lives, the stand-in keeps the library's notes (TraceNotes):
// its trace is cleared and on for every id, notes only; at the end it is
// off and cleared again. The conversion of each single value stays
// untraced, as in an export that keeps only notes (following it costs as
// much as the conversion itself), unless everyValue asks for its notes too.
class NotesFollowed {
 public:
    explicit NotesFollowed(bool everyValue = false);
    ~NotesFollowed();
    NotesFollowed(const NotesFollowed&) = delete;
    NotesFollowed& operator=(const NotesFollowed&) = delete;
};

// The calls in the stand-in's call log, in order.
std::vector<QvsimCall> LoggedCalls();

// Splits "1,2,3" into ints. Returns false on anything that is not a
// comma-separated list of decimal ints; the empty text is an empty list.
bool ParseIntList(const std::string& text, std::vector<int>* values);

// path made absolute against the folder qvkdc was started in ("" stays "").
std::string AbsolutePath(const std::string& path);

// Checks that a file qvkdc is to write can be created at path: its folder
// exists and path is not a folder. Returns "" or the reason.
std::string OutputFileProblem(const std::string& path);

#endif  // QVKDC_TOOLS_HOST_HOSTSESSION_H
