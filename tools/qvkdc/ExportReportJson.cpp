#include <nlohmann/json.hpp>

#include "ExportReport.h"

namespace {

using json = nlohmann::ordered_json;

// Raised when a field changes its meaning or goes away; new fields keep it.
constexpr int kExportReportFormat = 1;

json IdJson(const ModelId& id) { return json::array({id.objid, id.aplsec, id.insid, id.entid}); }

json TextOrNull(const std::string& text) { return text.empty() ? json(nullptr) : json(text); }

json PlanJson(const ExportReport& report, const PlanOutcome& plan) {
    json j = {{"index", plan.index},
              {"id", IdJson(plan.id)},
              {"name", plan.name},
              {"outcome", OutcomeName(plan.outcome)},
              {"file", TextOrNull(report.File(plan))},
              {"rows", plan.rows},
              {"reason", TextOrNull(report.Reason(plan))}};
    if (plan.hasProcess) {
        j["process"] = {{"id", IdJson(plan.process)},
                        {"name", plan.processName},
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
        json notes = json::array();
        for (const std::string& e : report.errors) notes.push_back("[ERR] : " + e);
        failure = {{"step", report.errors.empty() ? json(nullptr) : json(report.errors.back())},
                   {"cause", report.failure.empty() ? json(nullptr) : json(report.failure[0])},
                   {"detail", report.failure.size() > 1 ? json(report.failure[1]) : json(nullptr)},
                   {"notes", notes}};
    }
    const json messages = {
        {"title", report.messages.hasTitle ? json(report.messages.title) : json(nullptr)},
        {"lines", report.messages.lines}};
    const json j = {{"formatVersion", kExportReportFormat},
                    {"status", report.called ? json(report.status) : json(nullptr)},
                    {"exitCode", report.exitCode},
                    {"refusal", TextOrNull(report.refusal)},
                    {"existing", report.existing},
                    {"folder", report.folder},
                    {"plans", plans},
                    {"failure", failure},
                    {"messages", messages}};
    return j.dump(2, ' ', false, json::error_handler_t::replace) + '\n';
}
