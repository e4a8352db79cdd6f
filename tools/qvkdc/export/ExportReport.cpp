#include "export/ExportReport.h"

#include <algorithm>
#include <cstddef>

#include "cli/ShownText.h"

namespace {

std::string Plural(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

std::string ProcessLabel(const PlanOutcome& plan) {
    return "process \"" + ShownText(plan.processName) + "\" (" + IdText(plan.process) + ")";
}

std::string PlanLabel(const PlanOutcome& plan) {
    return "plan " + std::to_string(plan.number) + " \"" + ShownText(plan.name) + "\"";
}

void ExportReport::ExplainFailure() {
    FailureContext context;
    for (const PlanOutcome& plan : plans) {
        if (plan.outcome != Outcome::kFailed) continue;
        context.plan = PlanLabel(plan);
        if (plan.hasProcess) context.process = ProcessLabel(plan);
        context.file = File(plan);
    }
    failure = ::ExplainFailure(errors, detail, context);
}

std::string ExportReport::File(const PlanOutcome& plan) const {
    if (plan.outcome != Outcome::kWritten && !plan.failedAtFile) return "";
    const std::size_t i = static_cast<std::size_t>(plan.index);
    return i < files.size() && files[i].made ? files[i].native : "";
}

std::string ExportReport::Reason(const PlanOutcome& plan) const {
    switch (plan.outcome) {
        case Outcome::kWritten:
            return "";
        case Outcome::kRejected:
            return plan.hasProcess ? ProcessLabel(plan) + " has type " +
                                         std::to_string(plan.processType) +
                                         ", which cannot be exported"
                                   : "it has a process of a type that cannot be exported";
        case Outcome::kNoProcesses:
            return "the model database has no process data for it";
        case Outcome::kNoRows:
            return "its process list is empty, so there is no row";
        case Outcome::kFailed:
            return failure.empty() ? "the run failed here" : "the run failed here: " + failure[0];
        case Outcome::kNotReached:
            break;
    }
    return "the run ended before it";
}

void PrintExportSummary(const ExportReport& report, std::ostream& out) {
    std::size_t written = 0;
    for (const PlanOutcome& plan : report.plans) written += plan.outcome == Outcome::kWritten;
    out << "qvkdc: " << Plural(report.plans.size(), "plan", "plans") << ", "
        << Plural(written, "file", "files") << " written" << (report.plans.empty() ? "\n" : ":\n");
    for (std::size_t i = 0; i < report.plans.size(); ++i) {
        const PlanOutcome& plan = report.plans[i];
        if (plan.outcome == Outcome::kWritten) {
            out << "  " << PlanLabel(plan) << ": " << report.File(plan) << ", "
                << Plural(static_cast<std::size_t>(plan.rows), "row", "rows") << '\n';
        } else if (plan.outcome == Outcome::kNotReached) {
            std::size_t last = i;
            while (last + 1 < report.plans.size() &&
                   report.plans[last + 1].outcome == Outcome::kNotReached) {
                ++last;
            }
            // Numbers in the model: a range where they follow each other.
            bool consecutive = true;
            for (std::size_t j = i; j < last && consecutive; ++j) {
                consecutive = report.plans[j + 1].number == report.plans[j].number + 1;
            }
            std::string which = "plan " + std::to_string(plan.number);
            if (last > i && consecutive) {
                which = "plans " + std::to_string(plan.number) + " to " + std::to_string(report.plans[last].number);
            } else if (last > i) {
                which = "plans " + std::to_string(plan.number);
                for (std::size_t j = i + 1; j <= last; ++j) which += ", " + std::to_string(report.plans[j].number);
            }
            out << "  " << which
                << ": not looked at, the run had ended\n";
            i = last;
        } else if (plan.outcome == Outcome::kFailed) {
            out << "  " << PlanLabel(plan) << ": no file, the run failed here\n";
        } else {
            std::string outcome = OutcomeName(plan.outcome);
            std::replace(outcome.begin(), outcome.end(), '-', ' ');
            out << "  " << PlanLabel(plan) << ": no file, " << outcome << ": "
                << report.Reason(plan) << '\n';
        }
    }
    if (report.messages.lines.empty()) return;
    out << "qvkdc: the run left " << Plural(report.messages.lines.size(), "message", "messages")
        << ":\n";
    for (const std::string& line : report.messages.lines) {
        std::string shown;
        for (char c : line) shown += c == '\t' ? std::string(" | ") : std::string(1, c);
        out << "  " << shown << '\n';
    }
}
