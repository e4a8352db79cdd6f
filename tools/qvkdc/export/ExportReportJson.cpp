#include <nlohmann/json.hpp>

#include "export/ExportReport.h"
#include "FailurePoints.h"
#include "TextEncoding.h"
#include "report/ReportWriter.h"

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

// value as JSON, indented by two spaces a level, each line after the first
// after indent, bad UTF-8 replaced.
void PutIndented(ReportWriter* out, const json& value, std::string_view indent) {
    const std::string text = value.dump(2, ' ', false, json::error_handler_t::replace);
    std::size_t from = 0;
    for (std::size_t nl = text.find('\n'); nl != std::string::npos; nl = text.find('\n', from)) {
        out->Put(std::string_view(text).substr(from, nl + 1 - from));
        out->Put(indent);
        from = nl + 1;
    }
    out->Put(std::string_view(text).substr(from));
}

json PlanJson(const ExportReport& report, const PlanOutcome& plan) {
    json j = {{"index", plan.index},
              {"number", plan.number},
              {"id", IdJson(plan.id)},
              {"name", Utf8(report, plan.name)},
              {"outcome", OutcomeName(plan.outcome)},
              {"file", TextOrNull(report, ExportReport::File(plan))},
              {"rows", plan.rows},
              {"reason", TextOrNull(report, report.Reason(plan))}};
    if (plan.hasProcess) {
        j["process"] = {{"id", IdJson(plan.process)},
                        {"name", Utf8(report, plan.processName)},
                        {"type", plan.processType}};
    }
    return j;
}

// A member of the top object: value as the whole report's dump would give
// it, indented below the top object.
void Member(ReportWriter* out, const char* key, const json& value, bool last = false) {
    out->Put("  \"");
    out->Put(key);
    out->Put("\": ");
    PutIndented(out, value, "  ");
    out->Put(last ? "\n" : ",\n");
}

}  // namespace

void WriteExportJson(const ExportReport& report, ReportWriter* out) {
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
    out->Put("{\n");
    Member(out, "formatVersion", kExportReportFormat);
    Member(out, "status", report.called ? json(report.status) : json(nullptr));
    Member(out, "exitCode", report.exitCode);
    Member(out, "refusal", TextOrNull(report, report.refusal));
    Member(out, "existing", Texts(report, report.existing));
    Member(out, "folder", Utf8(report, report.folder));
    // The plans and the message lines one at a time: there may be millions.
    bool first = true;
    out->Put("  \"plans\": [");
    report.plans.ForEach([&](const PlanOutcome& plan) {
        out->Put(first ? "\n    " : ",\n    ");
        first = false;
        PutIndented(out, PlanJson(report, plan), "    ");
    });
    out->Put(first ? "],\n" : "\n  ],\n");
    Member(out, "failure", failure);
    const MessageList& messages = report.messages;
    out->Put("  \"messages\": {\n    \"title\": ");
    PutIndented(out, messages.hasTitle ? json(Utf8(report, messages.title)) : json(nullptr), "    ");
    out->Put(",\n    \"lines\": [");
    for (int i = 0; i < messages.count; ++i) {
        out->Put(i == 0 ? "\n      " : ",\n      ");
        PutIndented(out, Utf8(report, messages.Line(i)), "      ");
    }
    out->Put(messages.count == 0 ? "]\n  },\n" : "\n    ]\n  },\n");
    Member(out, "encoding", report.encoding != nullptr ? json(report.encoding->Name()) : json(nullptr), true);
    out->Put("}\n");
}
