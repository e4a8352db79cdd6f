#include "check/JsonReport.h"

#include <nlohmann/json.hpp>

namespace {

nlohmann::json At(const SourceAt& at, const ReportFacts& f) {
    return at.Known() ? nlohmann::json(f.Utf8(at.Text())) : nlohmann::json();
}

nlohmann::json Column(const ColumnEntry& c, const ReportFacts& f) {
    nlohmann::json choices = nlohmann::json::array();
    for (const ChoiceEntry& ch : c.choices) {
        choices.push_back({{"value", ch.value},
                           {"text", f.Utf8(ch.text)},
                           {"item", f.Utf8(ch.item)},
                           {"at", At(ch.at, f)},
                           {"shadowed", ch.shadowed}});
    }
    return {{"number", c.number},
            {"title", f.Utf8(c.title)},
            {"item", f.Utf8(c.item)},
            {"key", c.key},
            {"priority", c.priority},
            {"valueType", {{"keyword", f.Utf8(c.valTypeKeyword)}, {"code", c.valTypeCode}}},
            {"subType", {{"keyword", f.Utf8(c.subTypeKeyword)}, {"code", c.subTypeCode}}},
            {"effectiveType", c.effectiveType},
            {"flags", {{"origin", c.option ? "option" : "table"}, {"blank", c.blank}, {"repeat", c.repeat}}},
            {"choices", choices},
            {"at",
             {{"definition", At(c.definition, f)},
              {"title", At(c.titleAt, f)},
              {"key", At(c.keyAt, f)},
              {"type", At(c.typeAt, f)}}}};
}

}  // namespace

std::string JsonReport(const FindingList& findings, const std::vector<ColumnEntry>& columns,
                       const ReportFacts& facts) {
    nlohmann::json list = nlohmann::json::array();
    for (const Finding& f : findings.All()) {
        list.push_back({{"file", facts.Utf8(f.file)},
                        {"line", f.line},
                        {"severity", SeverityName(f.severity)},
                        {"code", f.code},
                        {"message", facts.Utf8(f.message)},
                        {"column", f.column >= 0 ? nlohmann::json(f.column + 1) : nlohmann::json()}});
    }
    nlohmann::json cols = nlohmann::json::array();
    for (const ColumnEntry& c : columns) cols.push_back(Column(c, facts));
    const nlohmann::json run = {{"root", facts.Utf8(facts.root)},
                                {"model", facts.model.empty() ? nlohmann::json() : nlohmann::json(facts.Utf8(facts.model))},
                                {"date", facts.date},
                                {"version", facts.version},
                                {"encoding", facts.encoding->Name()}};
    const nlohmann::json report = {{"formatVersion", kCheckReportFormat},
                                   {"run", run},
                                   {"findings", list},
                                   {"errors", findings.Count(Severity::kError)},
                                   {"warnings", findings.Count(Severity::kWarning)},
                                   {"notes", findings.Count(Severity::kNote)},
                                   {"columns", cols}};
    return report.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + '\n';
}
