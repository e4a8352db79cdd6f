#include "export/FailureCause.h"

#include <filesystem>
#include <iostream>
#include <string_view>
#include <system_error>

#include "FileSystem.h"

namespace fs = std::filesystem;

namespace {

// What failed, for the steps a call fails at; null for the steps inside
// them, which ExplainNote tells.
const char* StepWhat(FailStep step) {
    switch (step) {
        case FailStep::kInvalidArgument: return "an argument of the call was null";
        case FailStep::kPathNothing: return "the output folder (--out) is blank";
        case FailStep::kImpCnvTbl: return "the table files could not be imported";
        case FailStep::kCreColTbl: return "the column table could not be built from the table files";
        case FailStep::kNullColTbl: return "there is no column table";
        case FailStep::kCreSlctTbl: return "the selection table could not be built from the table files";
        case FailStep::kNullSlctTbl: return "there is no selection table";
        case FailStep::kQdgmInqNctyp: return "the model database gave no process type";
        case FailStep::kQdgmGetPrcs: return "the model database gave no process record";
        case FailStep::kCnvOutData: return "a value could not be converted";
        case FailStep::kMakeFileName: return "the file name could not be made";
        case FailStep::kFileOpen: return "the output file could not be created";
        case FailStep::kFileWrite:
            return "the output file could not be written; any earlier file of that name is as it was";
        case FailStep::kNone:
        case FailStep::kOutOfMemory:
        case FailStep::kUnexpectedException:
        case FailStep::kPlanName:
        case FailStep::kPathTooLong:
        case FailStep::kExteriorTableUnreadable:
        case FailStep::kProcessParametersTableUnreadable:
        case FailStep::kParameterSettingTableUnreadable:
        case FailStep::kSelectionToIntTableUnreadable:
        case FailStep::kVariableTableUnreadable:
        case FailStep::kPlanCSVTableUnreadable:
        case FailStep::kSetTSetForm:
        case FailStep::kVariableTableNotImported:
        case FailStep::kNotImported:
        case FailStep::kSettingsNotImported:
        case FailStep::kShortRow:
        case FailStep::kReplacePrcsStat:
        case FailStep::kGetOptionCol:
        case FailStep::kNullDatSP:
        case FailStep::kCnvPlanNam:
        case FailStep::kCnvToolCheck1:
        case FailStep::kCnvTlGrpNam:
        case FailStep::kCnvToolType1:
        case FailStep::kCnvPrcsNam:
        case FailStep::kCnvScanAgl:
        case FailStep::kCnvLCLPVal:
        case FailStep::kCnvPrcsVal:
        case FailStep::kCount:
            break;
    }
    return nullptr;
}

std::string TablePath(CnvTblIndex table) { return FileSystem::Current()->NativePath(kCnvTblFiles[table].path); }

// The folder of the tables, as the platform opens it.
std::string TablesFolder() {
    const std::string_view first = kCnvTblFiles[0].path;
    return FileSystem::Current()->NativePath(first.substr(0, first.rfind('\\') + 1));
}

std::string MissingTables(const FailureDetail& detail) {
    const std::string folder = TablesFolder();
    if (detail.tableFound == nullptr) return "a table file is missing from " + folder;
    std::string missing;
    for (int i = 0; i < kCnvTblFileCount; ++i) {
        if (detail.tableFound[i]) continue;
        missing += missing.empty() ? "" : ", ";
        missing += fs::path(TablePath(static_cast<CnvTblIndex>(i))).filename().string();
    }
    if (missing.empty()) {
        return "every table file is in " + folder + ", but a row that one of them names is missing from another";
    }
    return "missing from " + folder + ": " + missing;
}

// The host call that failed a value, in the user's terms.
std::string HostAnswer(const HostCallFailure& call) {
    const std::string answers = " (" + std::string(HostCallName(call.call)) + " answers " +
                                std::to_string(call.answer) + ")";
    switch (call.call) {
        case HostCall::kQdgmRetIdnamLN:
            return "the model database gave no name for the " +
                   std::string(call.whose == HostCallFailure::kProcess ? "process" : "plan") + answers;
        case HostCall::kQdgmRetLstRM:
            return call.none ? "the model database finds no plan that holds the process"
                             : "the model database gave no plan for the process" + answers;
        case HostCall::kQvlbpPrcInqPrm:
            return "the parameter " + std::to_string(call.key) + " answers the status " +
                   std::to_string(call.answer);
        case HostCall::kQvptfInqLnN:
            return "the tool text lookup for the tool \"" + call.tool + "\" answers the status " +
                   std::to_string(call.answer);
        case HostCall::kNone:
        case HostCall::kQdgmRetLstRO:
        case HostCall::kQdgmInqNctyp:
        case HostCall::kQdgmGetPrcs:
            break;
    }
    return "";
}

}  // namespace

FailureDetail FailureDetail::Of(const RunResult& run) {
    FailureDetail detail;
    detail.stop = run.stop.get();
    detail.tableFound = run.tableFound;
    detail.unreadable = run.unreadable;
    detail.hostCall = run.place.hostCall;
    detail.fileReason = run.place.status;
    return detail;
}

std::string ExplainNote(const FailureNote& note, const FailureDetail& detail) {
    const FailStep step = note.step;
    if (step >= FailStep::kExteriorTableUnreadable && step <= FailStep::kPlanCSVTableUnreadable) {
        const auto table = static_cast<CnvTblIndex>(static_cast<int>(step) -
                                                    static_cast<int>(FailStep::kExteriorTableUnreadable));
        const std::string why = detail.unreadable.ok() ? "the table reader cannot read it as a table"
                                                       : detail.unreadable.ToString();
        return TablePath(table) + ": " + why;
    }
    if (step == FailStep::kNotImported || step == FailStep::kSettingsNotImported ||
        step == FailStep::kVariableTableNotImported) {
        return MissingTables(detail);
    }
    if (step == FailStep::kShortRow) {
        if (detail.stop == nullptr) return std::string(note.Note());
        return TablePath(detail.stop->table) + ": a row has too few cells: \"" + detail.stop->row.Cell(1) + "\"";
    }
    if (step == FailStep::kPlanName) return "the model database gave no name for the plan";
    if (step == FailStep::kPathTooLong) return "the path would be longer than 511 characters";
    if (step == FailStep::kSetTSetForm) return "";
    if (FailurePointOf(step).area == FailArea::kValueNote) {
        const std::string answer = HostAnswer(detail.hostCall);
        return answer.empty() ? "the converter's step " + std::string(note.Note()) + " failed"
                              : answer + ", in the converter's step " + std::string(note.Note());
    }
    return "the library's note: " + note.line;
}

void TellOptionFile(const Status& optionFile) {
    const std::string note = OptionFileNote(optionFile);
    if (!note.empty()) std::cerr << "qvkdc: note: " << note << '\n';
}

std::string OptionFileNote(const Status& optionFile) {
    if (optionFile.ok() || optionFile.IsNotFound()) return "";
    return FileSystem::Current()->NativePath(kOptionFilePath) + ": " + optionFile.ToString() +
           "; no option column is added";
}

bool TablesFolderExists(std::string* folder) {
    *folder = TablesFolder();
    std::error_code ec;
    return fs::is_directory(*folder, ec);
}

void PrintFailure(const char* command, int status, const std::vector<std::string>& why) {
    if (why.empty()) return;
    std::cerr << "qvkdc: " << command << " failed (status " << status << "): " << why[0] << '\n';
    if (why.size() > 1) std::cerr << "qvkdc:   " << why[1] << '\n';
}

std::vector<std::string> ExplainFailure(const CallFailure& failure, const FailureDetail& detail,
                                        const FailureContext& context) {
    if (failure.notes.empty()) return {"the library gave no reason (its trace may tell more)"};
    const FailStep step = failure.Step();
    const char* known = StepWhat(step);
    std::string what = known != nullptr ? known
                                        : "the library's step \"" + std::string(failure.notes.back().Note()) + "\" failed";
    const FailArea area = FailurePointOf(step).area;
    const bool atProcess = area == FailArea::kProcess;
    const bool atFile = area == FailArea::kFile;
    if (atProcess && !context.process.empty()) what += ", at " + context.process;
    if (!context.plan.empty()) what += (atProcess && !context.process.empty() ? " of " : ", at ") + context.plan;
    if (atFile && !context.file.empty()) what += ": " + context.file;

    std::string detailLine;
    if (atFile && !detail.fileReason.ok()) detailLine = detail.fileReason.ToString();
    if (step == FailStep::kQdgmInqNctyp || step == FailStep::kQdgmGetPrcs) {
        detailLine = std::string(HostCallName(detail.hostCall.call)) + " answers " +
                     std::to_string(detail.hostCall.answer);
    }
    for (std::size_t i = failure.notes.size() - 1; detailLine.empty() && i-- > 0;) {
        detailLine = ExplainNote(failure.notes[i], detail);
    }
    if (detailLine.empty()) return {what};
    return {what, detailLine};
}
