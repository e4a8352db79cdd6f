#include "examine/FailurePoints.h"

#include <cstddef>
#include <iterator>

#include "host/FailureTrace.h"
#include "host/TraceScope.h"

namespace {

using S = FailStep;
using A = FailArea;

// Indexed by FailStep.
constexpr FailurePoint kPoints[] = {
    {S::kNone, "", A::kNone, false},
    {S::kInvalidArgument, "Invalid argument", A::kCall, false},
    {S::kPathNothing, "Path nothing", A::kCall, false},
    {S::kImpCnvTbl, "ImpCnvTbl", A::kTables, false},
    {S::kCreColTbl, "CreColTbl", A::kTables, false},
    {S::kNullColTbl, "NULL ColTbl", A::kTables, false},
    {S::kCreSlctTbl, "CreSlctTbl", A::kTables, false},
    {S::kNullSlctTbl, "NULL SlctTbl", A::kTables, false},
    {S::kQdgmInqNctyp, "QdgmInqNctyp", A::kProcess, false},
    {S::kQdgmGetPrcs, "QdgmGetPrcs", A::kProcess, false},
    {S::kCnvOutData, "CnvOutData", A::kProcess, false},
    {S::kMakeFileName, "Make FileName", A::kFileName, false},
    {S::kFileOpen, "File Open", A::kFile, false},
    {S::kFileWrite, "File Write", A::kFile, false},
    {S::kOutOfMemory, "Out of memory", A::kCall, false},
    {S::kUnexpectedException, "Unexpected exception", A::kCall, false},
    {S::kPlanName, "QdgmRetIdnamLN", A::kPathNote, false},
    {S::kPathTooLong, "Path too long", A::kPathNote, false},
    {S::kExteriorTableUnreadable, "ExternalNameTable Open Error", A::kTableNote, false},
    {S::kProcessParametersTableUnreadable, "ProcessParametersTable Open Error", A::kTableNote, false},
    {S::kParameterSettingTableUnreadable, "ParameterSettingTable Open Error", A::kTableNote, false},
    {S::kSelectionToIntTableUnreadable, "SelectionToIntTable Open Error", A::kTableNote, false},
    {S::kVariableTableUnreadable, "VariableTable Open Error", A::kTableNote, false},
    {S::kPlanCSVTableUnreadable, "NeccesaryItemTabel Open Error", A::kTableNote, false},
    {S::kSetTSetForm, "SetTSetForm Error", A::kTableNote, false},
    {S::kVariableTableNotImported, "Not import tablefile VariableTable", A::kTableNote, false},
    {S::kNotImported, "Not import tablefile", A::kTableNote, false},
    {S::kSettingsNotImported, "_Not import tablefile", A::kTableNote, false},
    {S::kShortRow, "Short row", A::kTableNote, true},
    {S::kReplacePrcsStat, "ReplacePrcsStat", A::kTableNote, false},
    {S::kGetOptionCol, "GetOptionCol", A::kTableNote, false},
    {S::kNullDatSP, "NULL datSP", A::kValueNote, false},
    {S::kCnvPlanNam, "CnvPlanNam", A::kValueNote, false},
    {S::kCnvToolCheck1, "CnvToolCheck1", A::kValueNote, false},
    {S::kCnvTlGrpNam, "CnvTlGrpNam", A::kValueNote, false},
    {S::kCnvToolType1, "CnvToolType1", A::kValueNote, false},
    {S::kCnvPrcsNam, "CnvPrcsNam", A::kValueNote, false},
    {S::kCnvScanAgl, "CnvScanAgl", A::kValueNote, false},
    {S::kCnvLCLPVal, "CnvLCLPVal", A::kValueNote, false},
    {S::kCnvPrcsVal, "CnvPrcsVal", A::kValueNote, false},
};

constexpr bool InStepOrder() {
    for (std::size_t i = 0; i < std::size(kPoints); ++i) {
        if (static_cast<std::size_t>(kPoints[i].step) != i) return false;
    }
    return true;
}
static_assert(std::size(kPoints) == static_cast<std::size_t>(FailStep::kCount),
              "one failure point per step");
static_assert(InStepOrder(), "failure points are listed in the order of their steps");

FailureListener* g_listener = nullptr;

}  // namespace

std::string FailurePoint::Line() const {
    std::string line(kFailureLinePrefix);
    line += note;
    return line;
}

const FailurePoint& FailurePointOf(FailStep step) {
    return kPoints[static_cast<std::size_t>(step)];
}

int TraceFailure(FailStep step) {
    return TraceFailureLine(step, FailurePointOf(step).Line());
}

int TraceFailureLine(FailStep step, std::string_view line) {
    const std::string text(line);
    TraceScope::Chr(text);
    if (g_listener != nullptr) g_listener->Failed(step, text);
    return kFailureStatus;
}

ScopedFailureListener::ScopedFailureListener(FailureListener* listener) : previous_(g_listener) {
    g_listener = listener;
}

ScopedFailureListener::~ScopedFailureListener() { g_listener = previous_; }
