#include "inspect/FailurePoints.h"

#include <cstddef>
#include <iterator>
#include <unordered_map>

#include "host/TraceScope.h"

namespace {

using S = FailStep;
using A = FailArea;

// Indexed by FailStep.
constexpr FailurePoint kPoints[] = {
    {S::kNone, "", 0, A::kNone, false},
    {S::kInvalidArgument, "[ERR] : Invalid argument", -1, A::kCall, false},
    {S::kPathNothing, "[ERR] : Path nothing", -1, A::kCall, false},
    {S::kImpCnvTbl, "[ERR] : ImpCnvTbl", -1, A::kTables, false},
    {S::kCreColTbl, "[ERR] : CreColTbl", -1, A::kTables, false},
    {S::kNullColTbl, "[ERR] : NULL ColTbl", -1, A::kTables, false},
    {S::kCreSlctTbl, "[ERR] : CreSlctTbl", -1, A::kTables, false},
    {S::kNullSlctTbl, "[ERR] : NULL SlctTbl", -1, A::kTables, false},
    {S::kQdgmInqNctyp, "[ERR] : QdgmInqNctyp", -1, A::kProcess, false},
    {S::kQdgmGetPrcs, "[ERR] : QdgmGetPrcs", -1, A::kProcess, false},
    {S::kCnvOutData, "[ERR] : CnvOutData", -1, A::kProcess, false},
    {S::kMakeFileName, "[ERR] : Make FileName", -1, A::kFileName, false},
    {S::kFileOpen, "[ERR] : File Open", -1, A::kFile, false},
    {S::kFileWrite, "[ERR] : File Write", -1, A::kFile, false},
    {S::kOutOfMemory, "[ERR] : Out of memory", -1, A::kCall, false},
    {S::kUnexpectedException, "[ERR] : Unexpected exception", -1, A::kCall, false},
    {S::kPlanName, "[ERR] : QdgmRetIdnamLN", -1, A::kPathNote, false},
    {S::kPathTooLong, "[ERR] : Path too long", -1, A::kPathNote, false},
    {S::kExteriorTableUnreadable, "[ERR] : ExternalNameTable Open Error", -1, A::kTableNote, false},
    {S::kProcessParametersTableUnreadable, "[ERR] : ProcessParametersTable Open Error", -1,
     A::kTableNote, false},
    {S::kParameterSettingTableUnreadable, "[ERR] : ParameterSettingTable Open Error", -1,
     A::kTableNote, false},
    {S::kSelectionToIntTableUnreadable, "[ERR] : SelectionToIntTable Open Error", -1,
     A::kTableNote, false},
    {S::kVariableTableUnreadable, "[ERR] : VariableTable Open Error", -1, A::kTableNote, false},
    {S::kPlanCSVTableUnreadable, "[ERR] : NeccesaryItemTabel Open Error", -1, A::kTableNote, false},
    {S::kSetTSetForm, "[ERR] : SetTSetForm Error", -1, A::kTableNote, false},
    {S::kVariableTableNotImported, "[ERR] : Not import tablefile VariableTable", -1, A::kTableNote,
     false},
    {S::kNotImported, "[ERR] : Not import tablefile", -1, A::kTableNote, false},
    {S::kSettingsNotImported, "[ERR] : _Not import tablefile", -1, A::kTableNote, false},
    {S::kShortRow, "[ERR] : Short row", -1, A::kTableNote, true},
    {S::kReplacePrcsStat, "[ERR] : ReplacePrcsStat", -1, A::kTableNote, false},
    {S::kGetOptionCol, "[ERR] : GetOptionCol", -1, A::kTableNote, false},
    {S::kNullDatSP, "[ERR] : NULL datSP", -1, A::kValueNote, false},
    {S::kCnvPlanNam, "[ERR] : CnvPlanNam", -1, A::kValueNote, false},
    {S::kCnvToolCheck1, "[ERR] : CnvToolCheck1", -1, A::kValueNote, false},
    {S::kCnvTlGrpNam, "[ERR] : CnvTlGrpNam", -1, A::kValueNote, false},
    {S::kCnvToolType1, "[ERR] : CnvToolType1", -1, A::kValueNote, false},
    {S::kCnvPrcsNam, "[ERR] : CnvPrcsNam", -1, A::kValueNote, false},
    {S::kCnvScanAgl, "[ERR] : CnvScanAgl", -1, A::kValueNote, false},
    {S::kCnvLCLPVal, "[ERR] : CnvLCLPVal", -1, A::kValueNote, false},
    {S::kCnvPrcsVal, "[ERR] : CnvPrcsVal", -1, A::kValueNote, false},
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

}  // namespace

std::string_view FailurePoint::Note() const {
    const std::string_view text = line;
    return text.substr(text.size() < kFailureLinePrefix.size() ? text.size()
                                                               : kFailureLinePrefix.size());
}

const FailurePoint& FailurePointOf(FailStep step) {
    return kPoints[static_cast<std::size_t>(step)];
}

int TraceFailure(FailStep step) {
    const FailurePoint& point = FailurePointOf(step);
    TraceScope::Chr(point.line);
    return point.status;
}

bool IsFailureLine(std::string_view line) {
    return line.substr(0, 5) == kFailureLinePrefix.substr(0, 5);
}

std::string_view FailureNoteOf(std::string_view line) {
    line.remove_prefix(5);
    const std::string_view separator = kFailureLinePrefix.substr(5);
    if (line.substr(0, separator.size()) == separator) line.remove_prefix(separator.size());
    return line;
}

FailStep FailStepOfNote(std::string_view note) {
    static const std::unordered_map<std::string_view, FailStep> byNote = [] {
        std::unordered_map<std::string_view, FailStep> map;
        for (std::size_t i = 1; i < std::size(kPoints); ++i) map.emplace(kPoints[i].Note(), kPoints[i].step);
        return map;
    }();
    const auto it = byNote.find(note);
    if (it != byNote.end()) return it->second;
    // A composed note: its start, up to one of its blanks, names the step.
    for (std::size_t blank = note.rfind(' '); blank != std::string_view::npos && blank > 0;
         blank = note.rfind(' ', blank - 1)) {
        const auto start = byNote.find(note.substr(0, blank));
        if (start != byNote.end() && FailurePointOf(start->second).composed) return start->second;
    }
    return FailStep::kNone;
}
