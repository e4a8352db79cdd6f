#include "check/JsonReport.h"

#include <nlohmann/json.hpp>

std::string JsonReport(const FindingList& findings) {
    nlohmann::json list = nlohmann::json::array();
    for (const Finding& f : findings.All()) {
        list.push_back({{"file", f.file},
                        {"line", f.line},
                        {"severity", SeverityName(f.severity)},
                        {"code", f.code},
                        {"message", f.message},
                        {"column", f.column >= 0 ? nlohmann::json(f.column + 1) : nlohmann::json()}});
    }
    const nlohmann::json report = {{"findings", list},
                                   {"errors", findings.Count(Severity::kError)},
                                   {"warnings", findings.Count(Severity::kWarning)},
                                   {"notes", findings.Count(Severity::kNote)}};
    return report.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + '\n';
}
