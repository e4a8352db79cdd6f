#include "session/HostSession.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <string_view>
#include <system_error>
#include <unordered_set>

#include "CnvTblFiles.h"
#include "FileSystem.h"
#include "TraceIds.h"
#include "qvhostsim/qvhostsim.h"

namespace fs = std::filesystem;

namespace {

// Removes what was written of a file whose write failed, when it is a file
// of its own: a device (the full device), a pipe or a link stays.
void RemovePartialFile(const std::string& path) {
    std::error_code ec;
    if (fs::is_regular_file(fs::symlink_status(path, ec))) fs::remove(path, ec);
}

}  // namespace

bool ParseIntList(const std::string& text, std::vector<int>* values) {
    values->clear();
    if (text.empty()) return true;
    const char* p = text.data();
    const char* end = p + text.size();
    while (true) {
        int value = 0;
        const auto res = std::from_chars(p, end, value);
        if (res.ec != std::errc() || res.ptr == p) return false;
        values->push_back(value);
        p = res.ptr;
        if (p == end) return true;
        if (*p != ',') return false;
        ++p;
    }
}

std::string AbsolutePath(const std::string& path) {
    if (path.empty()) return path;
    std::error_code ec;
    const fs::path abs = fs::absolute(path, ec);
    return ec ? path : abs.string();
}

std::string OutputFileProblem(const std::string& path) {
    std::error_code ec;
    const fs::path p(path);
    if (fs::is_directory(p, ec)) return "is a folder";
    const fs::path parent = p.parent_path();
    if (!parent.empty() && !fs::is_directory(parent, ec)) {
        return "its folder " + parent.string() + " does not exist";
    }
    return "";
}

HostSession::HostSession(HostOptions options) : options_(std::move(options)) {
    // Paths on the command line are relative to where qvkdc was started,
    // not to --root.
    options_.trace = AbsolutePath(options_.trace);
    options_.messages = AbsolutePath(options_.messages);
    modelPath_ = AbsolutePath(options_.model);
}

int HostSession::Refuse(const std::string& line) {
    std::cerr << "qvkdc: " << line << '\n';
    refusal_ = line;
    return kExitUsage;
}

int HostSession::LoadModel() {
    QvsimReset();
    if (options_.model.empty()) return kExitOk;
    // A file that cannot be opened (a pipe is not waited on) is refused
    // with the system's reason.
    char err[1024] = {};
    if (QvsimLoadModelFile(options_.model.c_str(), err, sizeof err) != 0) return Refuse(err);
    return ParsePlans();
}

int HostSession::ParsePlans() {
    plans_.clear();
    const int total = QvsimPlanCount();
    std::vector<int> indexes;
    if (!options_.plansGiven) {
        for (int i = 0; i < total; ++i) indexes.push_back(i);
    } else if (!ParseIntList(options_.plans, &indexes)) {
        return Refuse("--plans: expected comma-separated plan indexes, got \"" + options_.plans +
                      "\"");
    }
    for (int index : indexes) {
        ModelId id{};
        if (QvsimPlanId(index, &id) != 0) {
            return Refuse("--plans: no plan " + std::to_string(index) + " in " + options_.model +
                          " (it has " + std::to_string(total) + ")");
        }
        plans_.push_back(id);
    }
    numbers_ = std::move(indexes);
    planCount_ = static_cast<int>(plans_.size());
    if (plans_.empty()) plans_.push_back(ModelId{});  // a valid, unused block
    return kExitOk;
}

std::vector<int> HostSession::RepeatedPlans() const {
    std::unordered_set<int> seen, told;
    std::vector<int> repeated;
    for (int n : numbers_) {
        if (!seen.insert(n).second && told.insert(n).second) repeated.push_back(n);
    }
    return repeated;
}

int HostSession::EnterRoot() {
    if (options_.root.empty()) return kExitOk;
    std::error_code ec;
    fs::current_path(options_.root, ec);
    if (ec) return Refuse("--root " + options_.root + ": " + ec.message());
    return kExitOk;
}

int HostSession::OpenOutputs(const std::vector<std::pair<std::string, std::string>>& more) {
    if (!ParseIntList(options_.traceIds, &traceIds_)) {
        return Refuse("--trace-ids: expected comma-separated trace ids, got \"" +
                      options_.traceIds + "\"");
    }
    for (const int id : traceIds_) {
        if (std::find(std::begin(kTraceIds), std::end(kTraceIds), id) != std::end(kTraceIds)) continue;
        std::string known;
        for (const int each : kTraceIds) known += (known.empty() ? "" : ", ") + std::to_string(each);
        return Refuse("--trace-ids: " + std::to_string(id) + " is no trace id of the library; its ids are " + known);
    }
    std::vector<std::pair<std::string, std::string>> files = {
        {"--trace", options_.trace}, {"--messages", options_.messages}};
    files.insert(files.end(), more.begin(), more.end());
    for (const auto& [option, path] : files) {
        if (path.empty()) continue;
        const std::string problem = OutputFileProblem(path);
        if (!problem.empty()) return Refuse(option + " " + path + ": " + problem);
    }
    if (!options_.messages.empty()) {
        const std::string why = messagesOut_.Open(options_.messages);
        if (!why.empty()) return Refuse("--messages " + options_.messages + ": cannot be written: " + why);
    }
    return SetUpTrace();
}

namespace {

// The last part of path, in lower case: two paths whose names differ so
// are never one file, on any platform.
std::string FoldedName(const std::string& path) {
    std::string name = fs::path(path).filename().string();
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

}  // namespace

int HostSession::RefuseFilesOfTheCall(const std::vector<std::pair<std::string, std::string>>& sideFiles,
                                      int outputCount, const std::function<std::string(int)>& output,
                                      std::string* refused) {
    // (path, what it is) of each file the call reads.
    std::vector<std::pair<std::string, std::string>> read;
    if (!modelPath_.empty()) read.emplace_back(modelPath_, "the model file");
    for (const CnvTblFile& table : kCnvTblFiles) {
        read.emplace_back(FileSystem::Default()->NativePath(table.path), "a table file");
    }
    read.emplace_back(FileSystem::Default()->NativePath(kOptionFilePath), "the option file");
    // Each side file by the name of the file it leads to: a link to a file
    // of the call is that file.
    std::vector<std::string> names(sideFiles.size());
    for (std::size_t i = 0; i < sideFiles.size(); ++i) {
        const std::string& path = sideFiles[i].second;
        if (path.empty()) continue;
        std::error_code ec;
        const fs::path resolved = fs::weakly_canonical(path, ec);
        names[i] = FoldedName(ec ? path : resolved.string());
    }
    const auto same = [&](std::size_t i, const std::string& other) {
        return !names[i].empty() && !other.empty() && FoldedName(other) == names[i] &&
               SameFile(sideFiles[i].second, other);
    };
    // The first plan whose file each side file is, in one pass over the
    // plans: their files are composed once, not kept.
    std::vector<int> clashingPlan(sideFiles.size(), -1);
    for (int k = 0; k < outputCount; ++k) {
        const std::string file = output(k);
        for (std::size_t i = 0; i < sideFiles.size(); ++i) {
            if (clashingPlan[i] < 0 && same(i, file)) clashingPlan[i] = k;
        }
    }
    for (std::size_t i = 0; i < sideFiles.size(); ++i) {
        const auto& [option, path] = sideFiles[i];
        std::string clash;
        for (const auto& [file, what] : read) {
            if (clash.empty() && same(i, file)) clash = what + ", which the call reads";
        }
        if (clash.empty() && clashingPlan[i] >= 0) {
            clash = "the CSV file of plan " + std::to_string(numbers_[static_cast<std::size_t>(clashingPlan[i])]) +
                    ", which the export writes";
        }
        for (std::size_t j = 0; clash.empty() && j < i; ++j) {
            if (same(i, sideFiles[j].second)) clash = "also the file of " + sideFiles[j].first;
        }
        if (clash.empty()) continue;
        if (refused != nullptr) *refused = option;
        return Refuse(option + " " + path + ": is " + clash);
    }
    return kExitOk;
}

int HostSession::SetUpTrace() {
    // Without a trace file the library traces nothing: what qvkdc tells of
    // a run, the library tells it in process.
    if (options_.trace.empty()) return kExitOk;
    if (QvsimTraceFileBuffered(options_.trace.c_str()) != 0) {
        return Refuse("--trace " + options_.trace + ": cannot be written: " + QvsimTraceFileError());
    }
    if (options_.traceIds.empty()) {
        QvsimTraceAll(kTraceMainOn, kTraceLevelOn);
    } else {
        QvsimTraceAll(kTraceMainOn, 0);
        for (int id : traceIds_) QvsimTraceId(id, kTraceLevelOn);
    }
    return kExitOk;
}

MessageList HostSession::Messages() {
    MessageList list;
    if (const char* title = QvsimMsgTitle()) {
        list.hasTitle = true;
        list.title = title;
    }
    list.count = QvsimMsgCount();
    return list;
}

std::string MessageList::Line(int i) const {
    const char* line = QvsimMsgAt(i);
    return line != nullptr ? line : "";
}

int HostSession::Conclude(int status) {
    QvsimTraceFile(nullptr);
    QvsimTraceAll(0, 0);
    int code = status < 0 ? kExitFailed : kExitOk;
    const std::string traceFailure = QvsimTraceFileError();
    if (!options_.trace.empty() && !traceFailure.empty()) {
        RemovePartialFile(options_.trace);
        code = CombinedExit(code, OutputFailure("--trace " + options_.trace, traceFailure));
    }
    if (messagesOut_.IsOpen()) {
        const MessageList list = Messages();
        // Line by line, in blocks: the host already holds the list.
        std::string block;
        const auto put = [&](const std::string& line) {
            block += line;
            block += '\n';
            if (block.size() < kMessageBlock) return;
            messagesOut_.Write(block);
            block.clear();
        };
        if (list.hasTitle) put(list.title);
        for (int i = 0; i < list.count; ++i) put(list.Line(i));
        messagesOut_.Write(block);
        const std::string why = messagesOut_.Close();
        if (!why.empty()) {
            code = CombinedExit(code, OutputFailure("--messages " + options_.messages, why));
        }
    }
    const int held = QvsimHeldBlocks();
    if (held != 0) {
        std::cerr << "qvkdc: the library left " << held
                  << " host memory block(s) unreleased\n";
        code = CombinedExit(code, kExitHostMemory);
    }
    return code;
}

void HostSession::PrintStatus(int status) { std::cout << "status: " << status << std::endl; }

int HostSession::Finish(int status) {
    const int code = Conclude(status);
    PrintStatus(status);
    return code;
}
