#include "export/FailureCause.h"

#include <filesystem>
#include <iostream>
#include <string_view>
#include <system_error>

#include "system/SystemFiles.h"
#include "FileSystem.h"
#include "entry/QvkdcGetFilePath.h"
#include "CnvTblFiles.h"
#include "tables/ShortRowNote.h"

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
        default: return nullptr;
    }
}

std::string TablePath(const CnvTblFile& table) { return FileSystem::Current()->NativePath(table.path); }

// The folder of the tables, as the platform opens it.
std::string TablesFolder() {
    const std::string_view first = kCnvTblFiles[0].path;
    return FileSystem::Current()->NativePath(first.substr(0, first.rfind('\\') + 1));
}

std::string WhyNotReadable(const std::string& path) {
    const std::string why = WhyNotReadableFile(path);
    return why.empty() ? "the table reader cannot read it as a table" : why;
}

std::string MissingTables() {
    std::string missing;
    for (const CnvTblFile& table : kCnvTblFiles) {
        // The import's own existence test.
        if (FileSystem::Current()->Exists(table.path)) continue;
        missing += missing.empty() ? "" : ", ";
        missing += fs::path(TablePath(table)).filename().string();
    }
    const std::string folder = TablesFolder();
    if (missing.empty()) {
        return "every table file is in " + folder +
               ", but a row that one of them names is missing from another";
    }
    return "missing from " + folder + ": " + missing;
}

}  // namespace

std::string ExplainNote(std::string_view note) {
    const FailStep step = FailStepOfNote(note);
    if (const CnvTblFile* table = CnvTblFileUnreadable(step)) {
        const std::string path = TablePath(*table);
        return path + ": " + WhyNotReadable(path);
    }
    ShortRowNote row;
    switch (step) {
        case FailStep::kNotImported:
        case FailStep::kSettingsNotImported:
        case FailStep::kVariableTableNotImported:
            return MissingTables();
        case FailStep::kShortRow:
            ReadShortRowNote(note, &row);
            return (row.table != nullptr ? TablePath(*row.table) : std::string(row.tableName)) +
                   ": a row has too few cells: \"" + std::string(row.firstCell) + "\"";
        case FailStep::kPlanName:
            return "the model database gave no name for the plan";
        case FailStep::kPathTooLong:
            return "the path would be longer than " + std::to_string(kQvkdcPathSize - 1) + " characters";
        case FailStep::kSetTSetForm:
            return "";
        default:
            break;
    }
    if (FailurePointOf(step).area == FailArea::kValueNote) {
        return "the converter's step " + std::string(note) + " failed";
    }
    return "the library's note: " + std::string(kFailureLinePrefix) + std::string(note);
}

std::string OptionFileNote() {
    FileSystem* fs = FileSystem::Current();
    if (!fs->Exists(kOptionFilePath)) return "";
    const std::string path = fs->NativePath(kOptionFilePath);
    const std::string why = WhyNotReadableFile(path);
    return why.empty() ? "" : path + ": " + why + "; no option column is added";
}

void TellOptionFile() {
    const std::string note = OptionFileNote();
    if (!note.empty()) std::cerr << "qvkdc: note: " << note << '\n';
}

bool TablesFolderExists(std::string* folder) {
    *folder = TablesFolder();
    std::error_code ec;
    return fs::is_directory(*folder, ec);
}

bool StepConcernsProcess(FailStep step) { return FailurePointOf(step).area == FailArea::kProcess; }

bool StepConcernsFile(FailStep step) { return FailurePointOf(step).area == FailArea::kFile; }

std::string WhyNotWritable(const std::string& path) {
    std::error_code ec;
    const fs::path p(path);
    const fs::path parent = p.parent_path();
    if (!parent.empty() && !fs::is_directory(parent, ec)) {
        return "the folder " + parent.string() + " does not exist";
    }
    if (fs::is_directory(p, ec)) return "a folder of that name is in the way";
    std::string why;
    if (FileSystem::Current()->ProbeWrite(path, &why) == 0) {
        why = "the operating system refused it then, but gives no reason now";
    }
    return why;
}

void PrintFailure(const char* command, int status, const std::vector<std::string>& why) {
    if (why.empty()) return;
    std::cerr << "qvkdc: " << command << " failed (status " << status << "): " << why[0] << '\n';
    if (why.size() > 1) std::cerr << "qvkdc:   " << why[1] << '\n';
}

std::vector<std::string> ExplainFailure(const std::vector<std::string>& errors,
                                        const FailureContext& context) {
    if (errors.empty()) return {"the library gave no reason (its trace may tell more)"};
    const FailStep step = FailStepOfNote(errors.back());
    const char* known = StepWhat(step);
    std::string what = known != nullptr ? known : "the library's step \"" + errors.back() + "\" failed";
    const bool atProcess = StepConcernsProcess(step);
    const bool atFile = StepConcernsFile(step);
    if (atProcess && !context.process.empty()) what += ", at " + context.process;
    if (!context.plan.empty()) what += (atProcess && !context.process.empty() ? " of " : ", at ") + context.plan;
    if (atFile && !context.file.empty()) what += ": " + context.file;

    std::string detail;
    if (step == FailStep::kFileOpen && !context.file.empty()) detail = WhyNotWritable(context.file);
    for (std::size_t i = errors.size() - 1; detail.empty() && i-- > 0;) {
        detail = ExplainNote(errors[i]);
    }
    if (detail.empty()) return {what};
    return {what, detail};
}
