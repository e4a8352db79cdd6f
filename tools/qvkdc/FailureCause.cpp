#include "FailureCause.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string_view>
#include <system_error>

#include "platform/FileSystem.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kTablesFolder = "\\MIRVANE\\CAM\\KR\\Tables\\";
constexpr const char* kTableNames[] = {"ExteriorTable",       "ProcessParametersTable",
                                       "ParameterSettingTable", "SelectionToIntTable",
                                       "VariableTable",       "PlanCSVTable"};

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
    {"File Write", "the output file could not be written, and was removed"},
};

std::string TablePath(std::string_view table) {
    return FileSystem::Current()->NativePath(std::string(kTablesFolder) + std::string(table) + ".tsv");
}

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

bool StartsWith(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

std::string WhyNotReadable(const std::string& path) {
    std::error_code ec;
    if (!fs::exists(path, ec)) return "no such file";
    if (fs::is_directory(path, ec)) return "is a folder";
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return std::strerror(errno);
    std::fclose(f);
    return "the table reader cannot read it as a table";
}

std::string MissingTables() {
    std::string missing;
    for (const char* table : kTableNames) {
        std::error_code ec;
        if (fs::exists(TablePath(table), ec)) continue;
        missing += missing.empty() ? "" : ", ";
        missing += table;
        missing += ".tsv";
    }
    const std::string folder = FileSystem::Current()->NativePath(kTablesFolder);
    if (missing.empty()) {
        return "every table file is in " + folder +
               ", but a row that one of them names is missing from another";
    }
    return "missing from " + folder + ": " + missing;
}

}  // namespace

std::string ExplainNote(std::string_view note) {
    if (EndsWith(note, " Open Error")) {
        std::string_view table = note.substr(0, note.size() - 11);
        if (table == "ExternalNameTable") table = "ExteriorTable";
        if (table == "NeccesaryItemTabel") table = "PlanCSVTable";
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
        return TablePath(note.substr(0, colon)) + ": a row has too few cells" +
               (colon == std::string_view::npos ? "" : ": \"" + std::string(note.substr(colon + 2)) + "\"");
    }
    if (note == "QdgmRetIdnamLN") return "the model database gave no name for the plan";
    if (note == "Path too long") return "the path would be longer than 511 characters";
    if (note == "SetTSetForm Error") return "";
    if (StartsWith(note, "Cnv")) return "the converter's step " + std::string(note) + " failed";
    return "the library's note: [ERR] : " + std::string(note);
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
    const bool existed = fs::exists(p, ec);
    std::FILE* f = std::fopen(path.c_str(), "ab");
    if (f == nullptr) return std::strerror(errno);
    std::fclose(f);
    if (!existed) fs::remove(p, ec);
    return "the operating system refused it then, but gives no reason now";
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
