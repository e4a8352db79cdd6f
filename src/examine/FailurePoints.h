// FailurePoints: every step of the library that can fail, each with its
// stable id and the line it traces.
//
// A failure is traced as one line "[ERR] : <note>" and makes its step give
// the status -1. The last such line of a call names the step of the call
// that failed (FailArea kCall to kFile); the lines before it come from
// inside that step (the other areas). Tools learn which steps failed, in
// the order they were traced, as FailureNotes (examine/ExamineRun.h), never
// by reading the trace back.
#ifndef QVKDC_EXAMINE_FAILUREPOINTS_H
#define QVKDC_EXAMINE_FAILUREPOINTS_H

#include <string>
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

// The status of a failed step. A failed conversion gives its converter's
// status, which is this one for every converter.
inline constexpr int kFailureStatus = -1;

// What every failure line starts with.
inline constexpr std::string_view kFailureLinePrefix = "[ERR] : ";

struct FailurePoint {
    FailStep step;
    // What the line says after the prefix: "ImpCnvTbl".
    std::string_view note;
    FailArea area;
    // The line goes on with details after a blank ("Short row 3 in
    // PlanCSVTable: x"); note is then its start.
    bool composed;

    // The trace line: "[ERR] : ImpCnvTbl".
    std::string Line() const;
};

// The entry of step. REQUIRES: step is below FailStep::kCount.
const FailurePoint& FailurePointOf(FailStep step);

// One failure as the library traced it: the step and its whole line.
struct FailureNote {
    FailStep step = FailStep::kNone;
    std::string line;

    // The line without its prefix: "ImpCnvTbl", "Short row 3 in ...".
    std::string_view Note() const {
        const std::string_view text = line;
        return text.substr(text.size() < kFailureLinePrefix.size() ? text.size() : kFailureLinePrefix.size());
    }
};

#endif  // QVKDC_EXAMINE_FAILUREPOINTS_H
