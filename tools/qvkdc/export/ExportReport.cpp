#include "export/ExportReport.h"

#include <algorithm>
#include <cstddef>

#include "cli/ShownText.h"
#include "FileSystem.h"

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
    if (const PlanOutcome* plan = plans.Failed()) {
        context.plan = PlanLabel(*plan);
        if (plan->hasProcess) context.process = ProcessLabel(*plan);
        context.file = File(*plan);
    }
    failure = ::ExplainFailure(errors, detail, context);
}

std::string ExportReport::File(const PlanOutcome& plan) {
    if ((plan.outcome != Outcome::kWritten && !plan.failedAtFile) || plan.path.empty()) return "";
    return FileSystem::Current()->NativePath(plan.path);
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

namespace {

// Plans not looked at, consecutive in the summary, told on one line: their
// numbers in the model, as a range where they follow each other.
class NotReachedRun {
 public:
    void Add(int number) {
        if (count_ > 0 && consecutive_ && number != last_ + 1) {
            consecutive_ = false;
            for (int n = first_; n <= last_; ++n) numbers_ += (n == first_ ? "" : ", ") + std::to_string(n);
        }
        if (count_ == 0) first_ = number;
        if (!consecutive_) numbers_ += ", " + std::to_string(number);
        last_ = number;
        ++count_;
    }
    void Print(std::ostream& out) {
        if (count_ == 0) return;
        const std::string which = count_ == 1     ? "plan " + std::to_string(first_)
                                  : consecutive_ ? "plans " + std::to_string(first_) + " to " + std::to_string(last_)
                                                 : "plans " + numbers_;
        out << "  " << which << ": not looked at, the run had ended\n";
        *this = NotReachedRun();
    }

 private:
    int count_ = 0;
    int first_ = 0;
    int last_ = 0;
    bool consecutive_ = true;
    // Written out once they do not follow each other: a range needs its ends.
    std::string numbers_;
};

}  // namespace

void PrintExportSummary(const ExportReport& report, std::ostream& out) {
    const std::size_t count = report.plans.Count();
    out << "qvkdc: " << Plural(count, "plan", "plans") << ", " << Plural(report.plans.Written(), "file", "files")
        << " written" << (count == 0 ? "\n" : ":\n");
    NotReachedRun notReached;
    const bool whole = report.plans.ForEach([&](const PlanOutcome& plan) {
        if (plan.outcome == Outcome::kNotReached) {
            notReached.Add(plan.number);
            return;
        }
        notReached.Print(out);
        if (plan.outcome == Outcome::kWritten) {
            out << "  " << PlanLabel(plan) << ": " << ExportReport::File(plan) << ", "
                << Plural(static_cast<std::size_t>(plan.rows), "row", "rows") << '\n';
        } else if (plan.outcome == Outcome::kFailed) {
            out << "  " << PlanLabel(plan) << ": no file, the run failed here\n";
        } else {
            std::string outcome = OutcomeName(plan.outcome);
            std::replace(outcome.begin(), outcome.end(), '-', ' ');
            out << "  " << PlanLabel(plan) << ": no file, " << outcome << ": " << report.Reason(plan) << '\n';
        }
    });
    notReached.Print(out);
    if (!whole) out << "  (the rest could not be read back from qvkdc's temporary file)\n";
    const MessageList& messages = report.messages;
    if (messages.count == 0) return;
    out << "qvkdc: the run left " << Plural(static_cast<std::size_t>(messages.count), "message", "messages")
        << ":\n";
    for (int i = 0; i < messages.count; ++i) {
        std::string shown;
        for (char c : messages.Line(i)) shown += c == '\t' ? std::string(" | ") : std::string(1, c);
        out << "  " << shown << '\n';
    }
}
