#include "HostSession.h"

#include <charconv>
#include <filesystem>
#include <iostream>
#include <string_view>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Trace id of the conversion of one value (CQvkdcCnvColData::CnvOutData).
constexpr int kCnvOutDataTraceId = 577687;

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

std::vector<std::string> CallRecord::Errors() const {
    std::vector<std::string> errors;
    for (const std::string& note : notes) {
        std::string_view text(note);
        if (text.substr(0, 5) != "[ERR]") continue;
        text.remove_prefix(5);
        if (text.substr(0, 3) == " : ") text.remove_prefix(3);
        errors.emplace_back(text);
    }
    return errors;
}

HostSession::HostSession(HostOptions options) : options_(std::move(options)) {
    // Paths on the command line are relative to where qvkdc was started,
    // not to --root.
    options_.trace = AbsolutePath(options_.trace);
    options_.messages = AbsolutePath(options_.messages);
}

int HostSession::LoadModel() {
    QvsimReset();
    if (options_.model.empty()) return kExitOk;
    char err[1024] = {};
    if (QvsimLoadModelFile(options_.model.c_str(), err, sizeof err) != 0) {
        std::cerr << "qvkdc: " << err << '\n';
        return kExitUsage;
    }
    return ParsePlans();
}

int HostSession::ParsePlans() {
    plans_.clear();
    const int total = QvsimPlanCount();
    std::vector<int> indexes;
    if (!options_.plansGiven) {
        for (int i = 0; i < total; ++i) indexes.push_back(i);
    } else if (!ParseIntList(options_.plans, &indexes)) {
        std::cerr << "qvkdc: --plans: expected comma-separated plan indexes, got \""
                  << options_.plans << "\"\n";
        return kExitUsage;
    }
    for (int index : indexes) {
        ModelId id{};
        if (QvsimPlanId(index, &id) != 0) {
            std::cerr << "qvkdc: --plans: no plan " << index << " in "
                      << options_.model << " (it has " << total << ")\n";
            return kExitUsage;
        }
        plans_.push_back(id);
    }
    planCount_ = static_cast<int>(plans_.size());
    if (plans_.empty()) plans_.push_back(ModelId{});  // a valid, unused block
    return kExitOk;
}

int HostSession::EnterRoot() {
    if (options_.root.empty()) return kExitOk;
    std::error_code ec;
    fs::current_path(options_.root, ec);
    if (ec) {
        std::cerr << "qvkdc: --root " << options_.root << ": " << ec.message() << '\n';
        return kExitUsage;
    }
    return kExitOk;
}

int HostSession::OpenOutputs(const std::vector<std::pair<std::string, std::string>>& more) {
    if (!ParseIntList(options_.traceIds, &traceIds_)) {
        std::cerr << "qvkdc: --trace-ids: expected comma-separated trace ids, got \""
                  << options_.traceIds << "\"\n";
        return kExitUsage;
    }
    std::vector<std::pair<std::string, std::string>> files = {
        {"--trace", options_.trace}, {"--messages", options_.messages}};
    files.insert(files.end(), more.begin(), more.end());
    for (const auto& [option, path] : files) {
        if (path.empty()) continue;
        const std::string problem = OutputFileProblem(path);
        if (!problem.empty()) {
            std::cerr << "qvkdc: " << option << " " << path << ": " << problem << '\n';
            return kExitUsage;
        }
    }
    if (!options_.messages.empty()) {
        messagesOut_.open(options_.messages, std::ios::binary | std::ios::trunc);
        if (!messagesOut_) {
            std::cerr << "qvkdc: --messages " << options_.messages << ": cannot be written\n";
            return kExitUsage;
        }
    }
    return SetUpTrace();
}

int HostSession::SetUpTrace() {
    if (options_.trace.empty()) {
        // No trace asked for: the library traces as usual, and the stand-in
        // keeps nothing but its notes, which tell what went wrong.
        QvsimTraceNotesOnly(1);
    } else if (QvsimTraceFileBuffered(options_.trace.c_str()) != 0) {
        std::cerr << "qvkdc: --trace " << options_.trace << ": cannot be written\n";
        return kExitUsage;
    }
    if (options_.traceIds.empty()) {
        QvsimTraceAll(1, 1);
        // The conversion of every single value is left untraced when only
        // notes are kept: following it would cost more than the run's own
        // work is worth; the run still names the step and the process.
        if (options_.trace.empty()) QvsimTraceId(kCnvOutDataTraceId, 0);
    } else {
        QvsimTraceAll(1, 0);
        for (int id : traceIds_) QvsimTraceId(id, 1);
    }
    return kExitOk;
}

void HostSession::BeginCall() {
    QvsimTraceClear();
    QvsimCallLog(1);
}

CallRecord HostSession::EndCall() {
    QvsimCallLog(0);
    CallRecord record;
    std::string_view text(QvsimTraceText());
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
        const std::size_t start = line.find_first_not_of(' ');
        if (start == std::string_view::npos) continue;
        line.remove_prefix(start);
        if (line.substr(0, 5) == "[ERR]" || line.substr(0, 5) == "[INF]") {
            record.notes.emplace_back(line);
        }
    }
    const int count = QvsimCallLogCount();
    record.calls.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) QvsimCallLogAt(i, &record.calls[static_cast<std::size_t>(i)]);
    return record;
}

MessageList HostSession::Messages() {
    MessageList list;
    if (const char* title = QvsimMsgTitle()) {
        list.hasTitle = true;
        list.title = title;
    }
    for (int i = 0; i < QvsimMsgCount(); ++i) list.lines.emplace_back(QvsimMsgAt(i));
    return list;
}

int HostSession::Conclude(int status) {
    QvsimTraceFile(nullptr);
    QvsimTraceAll(0, 0);
    int code = status < 0 ? kExitFailed : kExitOk;
    if (messagesOut_.is_open()) {
        const MessageList list = Messages();
        if (list.hasTitle) messagesOut_ << list.title << '\n';
        for (const std::string& line : list.lines) messagesOut_ << line << '\n';
        messagesOut_.close();
        if (!messagesOut_) {
            std::cerr << "qvkdc: --messages " << options_.messages << ": cannot be written\n";
            code = kExitUsage;
        }
    }
    const int held = QvsimHeldBlocks();
    if (held != 0) {
        std::cerr << "qvkdc: the library left " << held
                  << " host memory block(s) unreleased\n";
        code = kExitHostMemory;
    }
    return code;
}

void HostSession::PrintStatus(int status) { std::cout << "status: " << status << std::endl; }

int HostSession::Finish(int status) {
    const int code = Conclude(status);
    PrintStatus(status);
    return code;
}
