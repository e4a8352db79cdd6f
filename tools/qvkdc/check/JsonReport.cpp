#include "check/JsonReport.h"

#include <nlohmann/json.hpp>

namespace {

nlohmann::json At(const SourceAt& at) { return at.Known() ? nlohmann::json(at.Text()) : nlohmann::json(); }

nlohmann::json Column(const ColumnEntry& c) {
    nlohmann::json choices = nlohmann::json::array();
    for (const ChoiceEntry& ch : c.choices) {
        choices.push_back({{"value", ch.value},
                           {"text", ch.text},
                           {"item", ch.item},
                           {"at", At(ch.at)},
                           {"shadowed", ch.shadowed}});
    }
    return {{"number", c.number},
            {"title", c.title},
            {"item", c.item},
            {"key", c.key},
            {"priority", c.priority},
            {"valueType", {{"keyword", c.valTypeKeyword}, {"code", c.valTypeCode}}},
            {"subType", {{"keyword", c.subTypeKeyword}, {"code", c.subTypeCode}}},
            {"effectiveType", c.effectiveType},
            {"flags", {{"origin", c.option ? "option" : "table"}, {"blank", c.blank}, {"repeat", c.repeat}}},
            {"choices", choices},
            {"at",
             {{"definition", At(c.definition)}, {"title", At(c.titleAt)}, {"key", At(c.keyAt)}, {"type", At(c.typeAt)}}}};
}

}  // namespace

std::string JsonReport(const FindingList& findings, const std::vector<ColumnEntry>& columns) {
    nlohmann::json list = nlohmann::json::array();
    for (const Finding& f : findings.All()) {
        list.push_back({{"file", f.file},
                        {"line", f.line},
                        {"severity", SeverityName(f.severity)},
                        {"code", f.code},
                        {"message", f.message},
                        {"column", f.column >= 0 ? nlohmann::json(f.column + 1) : nlohmann::json()}});
    }
    nlohmann::json cols = nlohmann::json::array();
    for (const ColumnEntry& c : columns) cols.push_back(Column(c));
    const nlohmann::json report = {{"findings", list},
                                   {"errors", findings.Count(Severity::kError)},
                                   {"warnings", findings.Count(Severity::kWarning)},
                                   {"notes", findings.Count(Severity::kNote)},
                                   {"columns", cols}};
    return report.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + '\n';
}
