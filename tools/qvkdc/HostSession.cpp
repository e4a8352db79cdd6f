#include "HostSession.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>

#include "qvhostsim/qvhostsim.h"

namespace fs = std::filesystem;

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

namespace {

// Paths given on the command line are relative to where qvkdc was started,
// not to --root.
std::string Absolute(const std::string& path) {
    if (path.empty()) return path;
    std::error_code ec;
    const fs::path abs = fs::absolute(path, ec);
    return ec ? path : abs.string();
}

}  // namespace

HostSession::HostSession(HostOptions options) : options_(std::move(options)) {
    options_.trace = Absolute(options_.trace);
    options_.messages = Absolute(options_.messages);
}

int HostSession::Prepare() {
    QvsimReset();
    if (!options_.model.empty()) {
        char err[1024] = {};
        if (QvsimLoadModelFile(options_.model.c_str(), err, sizeof err) != 0) {
            std::cerr << "qvkdc: " << err << '\n';
            return kExitUsage;
        }
        const int rc = ParsePlans();
        if (rc != kExitOk) return rc;
    }
    return SetUpTrace();
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

int HostSession::SetUpTrace() {
    if (options_.trace.empty()) {
        QvsimTraceAll(0, 0);
        return kExitOk;
    }
    std::vector<int> ids;
    if (!ParseIntList(options_.traceIds, &ids)) {
        std::cerr << "qvkdc: --trace-ids: expected comma-separated trace ids, got \""
                  << options_.traceIds << "\"\n";
        return kExitUsage;
    }
    if (QvsimTraceFileBuffered(options_.trace.c_str()) != 0) {
        std::cerr << "qvkdc: " << options_.trace << ": cannot be written\n";
        return kExitUsage;
    }
    if (options_.traceIds.empty()) {
        QvsimTraceAll(1, 1);
    } else {
        QvsimTraceAll(1, 0);
        for (int id : ids) QvsimTraceId(id, 1);
    }
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

int HostSession::Finish(int status) {
    QvsimTraceFile(nullptr);
    int code = status < 0 ? kExitFailed : kExitOk;
    if (!options_.messages.empty()) {
        std::ofstream out(options_.messages, std::ios::binary | std::ios::trunc);
        if (const char* title = QvsimMsgTitle()) out << title << '\n';
        for (int i = 0; i < QvsimMsgCount(); ++i) out << QvsimMsgAt(i) << '\n';
        if (!out) {
            std::cerr << "qvkdc: " << options_.messages << ": cannot be written\n";
            code = kExitUsage;
        }
    }
    const int held = QvsimHeldBlocks();
    if (held != 0) {
        std::cerr << "qvkdc: the library left " << held
                  << " host memory block(s) unreleased\n";
        code = kExitHostMemory;
    }
    std::cout << "status: " << status << std::endl;
    return code;
}
