#include <nlohmann/json.hpp>

#include "export/ExportReport.h"
#include "FailurePoints.h"
#include "TextEncoding.h"

namespace {

using json = nlohmann::ordered_json;

// Raised when a field changes its meaning or goes away; new fields keep it.
constexpr int kExportReportFormat = 1;

json IdJson(const ModelId& id) { return json::array({id.objid, id.aplsec, id.insid, id.entid}); }

// A text from the host or a file name, in UTF-8.
std::string Utf8(const ExportReport& report, const std::string& text) {
    return report.encoding != nullptr ? report.encoding->ToUtf8(text) : text;
}

json TextOrNull(const ExportReport& report, const std::string& text) {
    return text.empty() ? json(nullptr) : json(Utf8(report, text));
}

json Texts(const ExportReport& report, const std::vector<std::string>& texts) {
    json list = json::array();
    for (const std::string& t : texts) list.push_back(Utf8(report, t));
    return list;
}

json PlanJson(const ExportReport& report, const PlanOutcome& plan) {
    json j = {{"index", plan.index},
              {"number", plan.number},
              {"id", IdJson(plan.id)},
              {"name", Utf8(report, plan.name)},
              {"outcome", OutcomeName(plan.outcome)},
              {"file", TextOrNull(report, report.File(plan))},
              {"rows", plan.rows},
              {"reason", TextOrNull(report, report.Reason(plan))}};
    if (plan.hasProcess) {
        j["process"] = {{"id", IdJson(plan.process)},
                        {"name", Utf8(report, plan.processName)},
                        {"type", plan.processType}};
    }
    return j;
}

}  // namespace

std::string ExportJson(const ExportReport& report) {
    json plans = json::array();
    for (const PlanOutcome& plan : report.plans) plans.push_back(PlanJson(report, plan));
    json failure = nullptr;
    if (report.called && report.status < 0) {
        const std::vector<FailureNote>& notes = report.errors.notes;
        json lines = json::array();
        for (const FailureNote& note : notes) lines.push_back(Utf8(report, note.line));
        failure = {{"step", notes.empty() ? json(nullptr) : json(Utf8(report, std::string(notes.back().Note())))},
                   {"cause", report.failure.empty() ? json(nullptr) : json(Utf8(report, report.failure[0]))},
                   {"detail", report.failure.size() > 1 ? json(Utf8(report, report.failure[1])) : json(nullptr)},
                   {"notes", lines}};
    }
    const json messages = {
        {"title", report.messages.hasTitle ? json(Utf8(report, report.messages.title)) : json(nullptr)},
        {"lines", Texts(report, report.messages.lines)}};
    const json j = {{"formatVersion", kExportReportFormat},
                    {"status", report.called ? json(report.status) : json(nullptr)},
                    {"exitCode", report.exitCode},
                    {"refusal", TextOrNull(report, report.refusal)},
                    {"existing", Texts(report, report.existing)},
                    {"folder", Utf8(report, report.folder)},
                    {"plans", plans},
                    {"failure", failure},
                    {"messages", messages},
                    {"encoding", report.encoding != nullptr ? json(report.encoding->Name()) : json(nullptr)}};
    return j.dump(2, ' ', false, json::error_handler_t::replace) + '\n';
}
