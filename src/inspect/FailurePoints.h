// FailurePoints: every step of the library that can fail, each with its
// stable id, the line it traces and the status it gives.
//
// The list lives in host/, beside TraceScope and below the table steps, the
// converter and the entry functions, so that each of them traces its
// failures from it, and the tools that follow a run through the trace read
// a line back to its step with the same list.
//
// A failure is traced as one line "[ERR] : <note>". The last such line of a
// call names the step of the call that failed (FailArea kCall to kFile);
// the lines before it come from inside that step (the other areas).
#ifndef QVKDC_INSPECT_FAILUREPOINTS_H
#define QVKDC_INSPECT_FAILUREPOINTS_H

#include <string_view>

// The steps, by id. An id keeps its meaning; a new step gets a new id.
enum class FailStep {
    kNone,
    // Steps of an entry function and of the output run.
    kInvalidArgument,
    kPathNothing,
    kImpCnvTbl,
    kCreColTbl,
    kNullColTbl,
    kCreSlctTbl,
    kNullSlctTbl,
    kQdgmInqNctyp,
    kQdgmGetPrcs,
    kCnvOutData,
    kMakeFileName,
    kFileOpen,
    kFileWrite,
    kOutOfMemory,
    kUnexpectedException,
    // Inside the composition of a file's path.
    kPlanName,
    kPathTooLong,
    // Inside the table steps: a table file that exists but cannot be read,
    // in the order of CnvTblIndex.
    kExteriorTableUnreadable,
    kProcessParametersTableUnreadable,
    kParameterSettingTableUnreadable,
    kSelectionToIntTableUnreadable,
    kVariableTableUnreadable,
    kPlanCSVTableUnreadable,
    // The other failures inside the table steps.
    kSetTSetForm,
    kVariableTableNotImported,
    kNotImported,
    kSettingsNotImported,
    kShortRow,
    kReplacePrcsStat,
    kGetOptionCol,
    // Inside the conversion of one value.
    kNullDatSP,
    kCnvPlanNam,
    kCnvToolCheck1,
    kCnvTlGrpNam,
    kCnvToolType1,
    kCnvPrcsNam,
    kCnvScanAgl,
    kCnvLCLPVal,
    kCnvPrcsVal,
    kCount
};

// What the failure of a step concerns.
enum class FailArea {
    kNone,
    kCall,       // the call: its arguments, its output folder, memory
    kTables,     // the table set of the run
    kProcess,    // the process being converted: its type, record or a value
    kFileName,   // composing the path of the plan's file
    kFile,       // the plan's file: creating or writing it
    kPathNote,   // why a path could not be composed
    kTableNote,  // why a table step failed
    kValueNote,  // which converter failed on a value
};

struct FailurePoint {
    FailStep step;
    const char* line;  // the trace line, "[ERR] : ImpCnvTbl"
    // The status the call gives. A failed conversion gives its converter's
    // status, which is -1 for every converter.
    int status;
    FailArea area;
    // The line goes on with details after a blank ("Short row 3 in
    // PlanCSVTable: x"); line is then its start.
    bool composed;

    // The line without the failure prefix: "ImpCnvTbl".
    std::string_view Note() const;
};

// What every failure line starts with.
inline constexpr std::string_view kFailureLinePrefix = "[ERR] : ";

// The entry of step. REQUIRES: step is below FailStep::kCount.
const FailurePoint& FailurePointOf(FailStep step);

// Traces step's line (TraceScope::Chr), and returns its status.
// REQUIRES: step is neither kNone nor kCount.
int TraceFailure(FailStep step);

// True when a trace line is a failure line: it starts with "[ERR]".
bool IsFailureLine(std::string_view line);
// A failure line without "[ERR]" and, when it follows, " : ".
// REQUIRES: IsFailureLine(line).
std::string_view FailureNoteOf(std::string_view line);

// The step whose failure a note (a failure line without its prefix) tells;
// a composed note is found by its start. kNone for a note of no step.
FailStep FailStepOfNote(std::string_view note);

#endif  // QVKDC_INSPECT_FAILUREPOINTS_H
