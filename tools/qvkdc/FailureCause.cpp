#include "FailureCause.h"

#include <filesystem>
#include <iostream>
#include <string_view>
#include <system_error>

#include "SystemFiles.h"
#include "platform/FileSystem.h"
#include "tables/CnvTblFiles.h"

namespace fs = std::filesystem;

namespace {


// The steps of a run and of the table set, by their error note.
struct Step {
    std::string_view error;
    const char* what;
};
constexpr Step kSteps[] = {
    {"Invalid argument", "an argument of the call was null"},
    {"Path nothing", "the output folder (--out) is blank"},
    {"ImpCnvTbl", "the table files could not be imported"},
    {"CreColTbl", "the column table could not be built from the table files"},
    {"NULL ColTbl", "there is no column table"},
    {"CreSlctTbl", "the selection table could not be built from the table files"},
    {"NULL SlctTbl", "there is no selection table"},
    {"QdgmInqNctyp", "the model database gave no process type"},
    {"QdgmGetPrcs", "the model database gave no process record"},
    {"CnvOutData", "a value could not be converted"},
    {"Make FileName", "the file name could not be made"},
    {"File Open", "the output file could not be created"},
    {"File Write", "the output file could not be written; any earlier file of that name is as it was"},
};

std::string TablePath(const CnvTblFile& table) { return FileSystem::Current()->NativePath(table.path); }

// The table named table ("VariableTable"); null for another name.
const CnvTblFile* TableNamed(std::string_view table) {
    for (const CnvTblFile& file : kCnvTblFiles) {
        if (table == file.name) return &file;
    }
    return nullptr;
}

// The folder of the tables, as the platform opens it.
std::string TablesFolder() {
    const std::string_view first = kCnvTblFiles[0].path;
    return FileSystem::Current()->NativePath(first.substr(0, first.rfind('\\') + 1));
}

bool StartsWith(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
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
    for (const CnvTblFile& table : kCnvTblFiles) {
        // The note the table reader's failure leaves, without "[ERR] : ".
        const std::string_view open = table.openError;
        if (note != open.substr(open.find(": ") + 2)) continue;
        const std::string path = TablePath(table);
        return path + ": " + WhyNotReadable(path);
    }
    if (note == "Not import tablefile" || note == "_Not import tablefile" ||
        note == "Not import tablefile VariableTable") {
        return MissingTables();
    }
    if (StartsWith(note, "Short row in ")) {
        note.remove_prefix(13);
        const std::size_t colon = note.find(": ");
        const CnvTblFile* table = TableNamed(note.substr(0, colon));
        return (table != nullptr ? TablePath(*table) : std::string(note.substr(0, colon))) +
               ": a row has too few cells" +
               (colon == std::string_view::npos ? "" : ": \"" + std::string(note.substr(colon + 2)) + "\"");
    }
    if (note == "QdgmRetIdnamLN") return "the model database gave no name for the plan";
    if (note == "Path too long") return "the path would be longer than 511 characters";
    if (note == "SetTSetForm Error") return "";
    if (StartsWith(note, "Cnv")) return "the converter's step " + std::string(note) + " failed";
    return "the library's note: [ERR] : " + std::string(note);
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

bool StepConcernsProcess(std::string_view step) {
    return step == "QdgmInqNctyp" || step == "QdgmGetPrcs" || step == "CnvOutData";
}

bool StepConcernsFile(std::string_view step) { return step == "File Open" || step == "File Write"; }

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
    const std::string_view step = errors.back();
    std::string what = "the library's step \"" + std::string(step) + "\" failed";
    for (const Step& s : kSteps) {
        if (s.error == step) what = s.what;
    }
    const bool atProcess = StepConcernsProcess(step);
    const bool atFile = StepConcernsFile(step);
    if (atProcess && !context.process.empty()) what += ", at " + context.process;
    if (!context.plan.empty()) what += (atProcess && !context.process.empty() ? " of " : ", at ") + context.plan;
    if (atFile && !context.file.empty()) what += ": " + context.file;

    std::string detail;
    if (step == "File Open" && !context.file.empty()) detail = WhyNotWritable(context.file);
    for (std::size_t i = errors.size() - 1; detail.empty() && i-- > 0;) {
        detail = ExplainNote(errors[i]);
    }
    if (detail.empty()) return {what};
    return {what, detail};
}
