#include "check/ModelCheck.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "HostCalls.h"
#include "check/TextForms.h"
#include "qvhostsim/qvhostsim.h"

ModelCheck::ModelCheck(const CheckContext& ctx, std::string modelFile, const ExportCall& call,
                       ExportPreview* preview)
    : ctx_(ctx),
      file_(std::move(modelFile)),
      call_(call),
      preview_(preview),
      names_(ctx, file_, call, [this](int plan) { return PlanName(plan); },
             [this](int plan) { return LineOf(plans_[static_cast<std::size_t>(plan)]); }) {}

void ModelCheck::CheckRepeatedPlans() {
    std::unordered_set<int> seen, told;
    for (std::size_t i = 0; i < indexes_.size(); ++i) {
        const int n = indexes_[i];
        if (seen.insert(n).second || !told.insert(n).second) continue;
        ctx_.out.Add(Severity::kWarning, file_, LineOf(plans_[i]),
                     "--plans lists plan " + std::to_string(n) +
                         " more than once: its file is written each time, the later replacing the earlier",
                     FindingCode::kPlanSelection);
    }
}

int ModelCheck::LineOf(const ModelId& id) {
    // Line 1 for an id the model file does not place (0).
    return std::max(QvsimModelLine(&id), 1);
}

std::string ModelCheck::PlanName(int index) const {
    const std::size_t i = static_cast<std::size_t>(index);
    return "plan " + std::to_string(indexes_[i]) + ' ' + Quoted(ModelName(plans_[i]));
}

std::string ModelCheck::PlaceName(const ValuePlace& where) const {
    return "process " + Quoted(ModelName(where.process)) + " of " + PlanName(where.plan);
}

void ModelCheck::Run() {
    if (call_.plansGiven) {
        indexes_ = call_.plans;
    } else {
        for (int i = 0; i < QvsimPlanCount(); ++i) indexes_.push_back(i);
    }
    const int n = static_cast<int>(indexes_.size());
    plans_.resize(indexes_.size());
    machines_.resize(indexes_.size());
    for (std::size_t i = 0; i < indexes_.size(); ++i) QvsimPlanId(indexes_[i], &plans_[i]);
    outcomes_ = PlanOutcomes(plans_.data(), n, indexes_.data());
    CheckRepeatedPlans();
    namesMet_ = names_.Prepare(plans_.data(), n);

    // An empty block runs too: the run may still fail before its plans.
    int first = 0;
    do {
        first = RunExport(first) + 1;
    } while (first < n);

    for (const ToolCheck& tool : tools_) CheckTool(tool);
    const std::vector<PlanOutcome> done = outcomes_.Finish(QvkdcRunPlace(), 0);
    // A selection that gives nothing (a whole model of rejected plans is
    // a fact of the model, told by each plan's note).
    const bool fileOrFailure = std::any_of(done.begin(), done.end(), [](const PlanOutcome& o) {
        return o.outcome == Outcome::kWritten || o.outcome == Outcome::kFailed;
    });
    if (call_.plansGiven && !done.empty() && !fileOrFailure) {
        ctx_.out.Add(Severity::kWarning, file_, 1,
                     "none of the plans --plans selects gives a file (each is rejected or has no processes): the "
                     "export writes nothing",
                     FindingCode::kPlanSelection);
    }
    names_.Run(done);
    tally_.Report(
        ctx_, file_, [this](const ValuePlace& where) { return PlaceName(where); },
        [](const ValuePlace& where) { return LineOf(where.process); });
}

int ModelCheck::RunExport(int first) {
    const int count = static_cast<int>(plans_.size());
    RunRequest request;
    request.plans = plans_.data();
    request.count = count;
    request.firstPlan = first;
    if (namesMet_) {
        request.out = call_.out;
        request.name = call_.name;
        request.files = RunFiles::kProbe;
    } else {
        // Any name but a blank one keeps the plan names out of the run.
        request.out = ".";
        request.name = "check";
        request.files = RunFiles::kDiscard;
    }
    const RunResult run = ::RunExport(request, this);
    const QvkdcRunPlace& place = run.place;
    // The plans this run looked at, in block order: each rejected one is
    // told before the failure that ended the run.
    const std::vector<PlanOutcome> outcomes = outcomes_.Finish(place, run.status);
    const int end = run.status < 0 && place.plan >= 0 ? place.plan : count;
    for (int i = first; i < end; ++i) {
        const PlanOutcome& o = outcomes[static_cast<std::size_t>(i)];
        if (o.outcome == Outcome::kRejected) ReportRejected(o);
    }
    if (run.status >= 0 || place.plan < 0) {
        pending_ = kNoPlan;
        if (run.status < 0) {
            ctx_.out.Add(Severity::kError, file_, 1,
                         "the export fails before its first plan with " + Quoted(run.failure.notes.front().line),
                         FindingCode::kModelFails);
        }
        return count;
    }
    const FailArea area = FailurePointOf(place.step).area;
    if (area == FailArea::kFileName || area == FailArea::kFile) {
        // Its rows were made: they count as those of a written plan.
        if (pending_ == place.plan) Commit();
        names_.ReportFailure(place.plan, place.step, run.failure, place.path, place.status);
    } else {
        ReportFailure(run);
    }
    pending_ = kNoPlan;
    return place.plan;
}

void ModelCheck::ReportFailure(const RunResult& run) {
    const QvkdcRunPlace& place = run.place;
    std::string where = PlanName(place.plan);
    int line = LineOf(plans_[static_cast<std::size_t>(place.plan)]);
    if (place.process >= 0) {
        line = LineOf(place.prcsId);
        const std::string name = ModelName(place.prcsId);
        where += ", process " + (name.empty() ? IdText(place.prcsId) : Quoted(name));
    }
    int column = -1;
    if (place.column >= 0 && place.column < static_cast<int>(ctx_.build.Columns().size())) {
        column = place.column;
        const ExaminedColumn& c = ctx_.build.Columns()[static_cast<std::size_t>(column)];
        where += ", column " + std::to_string(column + 1) + ' ' + Quoted(c.ExName()) + " (" + ctx_.DefFile(c) +
                 ':' + std::to_string(c.trail.def.line) + ')';
    }
    const std::string what = FailedCall(run);
    ctx_.out.Add(Severity::kError, file_, line,
                 where + ": " + (what.empty() ? std::string("a step fails") : what) +
                     "; the export stops there with " + Quoted(run.failure.notes.front().line),
                 FindingCode::kModelFails, column);
}

std::string ModelCheck::FailedCall(const RunResult& run) const {
    const HostCallFailure& c = run.place.hostCall;
    const std::string answers = " (" + std::string(HostCallName(c.call)) + " answers " + std::to_string(c.answer) + ")";
    switch (c.call) {
        case HostCall::kNone:
        case HostCall::kQdgmRetLstRO:
            return std::string();
        case HostCall::kQdgmInqNctyp:
            return "the model database cannot give the process's type" + answers;
        case HostCall::kQdgmGetPrcs:
            return "the model database cannot give the process's record" + answers;
        case HostCall::kQdgmRetIdnamLN:
            return std::string("the model database cannot give ") +
                   (c.whose == HostCallFailure::kProcess ? "the process's name" : "the plan's name") +
                   answers;
        case HostCall::kQdgmRetLstRM:
            return c.none ? "the model database finds no plan that holds the process (QdgmRetLstRM gives none)"
                          : "the model database cannot give the plan that holds the process" + answers;
        case HostCall::kQvlbpPrcInqPrm:
            return "the parameter " + std::to_string(c.key) + " answers the status " + std::to_string(c.answer) +
                   " (QvlbpPrcInqPrm)";
        case HostCall::kQvptfInqLnN:
            break;
    }
    return "the tool text lookup answers the status " + std::to_string(c.answer) + " for the tool " + Quoted(c.tool) +
           " (QvptfInqLnN)";
}

void ModelCheck::ReportRejected(const PlanOutcome& o) {
    const std::string plan =
        "plan " + std::to_string(indexes_[static_cast<std::size_t>(o.index)]) + ' ' + Quoted(o.name);
    // What the export is meant to do with such a plan: a fact of the model.
    ctx_.out.Add(Severity::kNote, file_, LineOf(o.hasProcess ? o.process : o.id),
                 plan + " is rejected: its process " + Quoted(o.processName) + " has the type " +
                     std::to_string(o.processType) + ", which the export does not accept; the plan gets no file",
                 FindingCode::kRejectedPlan);
    const Machine& machine = machines_[static_cast<std::size_t>(o.index)];
    if (machine.known) return;
    ctx_.out.Add(Severity::kWarning, file_, LineOf(o.id),
                 "the rejected " + plan + " has no machine data; its message " +
                     (machine.name1.empty() && machine.name2.empty()
                          ? std::string("names no machine")
                          : "repeats the machine names " + Quoted(machine.name1) + " and " + Quoted(machine.name2) +
                                " of the rejected plan before it"),
                 FindingCode::kNoMachine);
}

void ModelCheck::Rejected(int plan, bool machineKnown, std::string_view name1, std::string_view name2) {
    outcomes_.Rejected(plan, machineKnown, name1, name2);
    machines_[static_cast<std::size_t>(plan)] = Machine{machineKnown, std::string(name1), std::string(name2)};
}

void ModelCheck::Converted(const QvkdcRunPlace& place, int column, std::string_view text, const CellFacts& facts) {
    if (place.plan != pending_) {
        // The plan before was not written: its counts go.
        pending_ = place.plan;
        planTally_.Clear();
        planTools_.clear();
        planToolNames_.clear();
    }
    const CellNote note = Tally(place, column, text, facts);
    if (preview_ != nullptr) preview_->Cell(place.plan, place.process, column, text, note);
}

CellNote ModelCheck::Tally(const QvkdcRunPlace& place, int column, std::string_view text, const CellFacts& facts) {
    const ExaminedColumn& c = ctx_.build.Columns()[static_cast<std::size_t>(column)];
    const ValuePlace where{place.plan, place.prcsId};
    CellNote note{facts.reason, facts.key, facts.code};
    if (text.empty() && facts.toolCut && facts.reason == CellReason::kNoToolText &&
        planToolNames_.insert(std::string(facts.tool)).second) {
        // Looked up once the runs are over: the run's host calls stay its own.
        planTools_.push_back(ToolCheck{std::string(facts.tool), column, where});
    }
    // A code without a choice, but for the one code every cell looks up,
    // which the column's own findings tell.
    const bool noChoice = facts.reason == CellReason::kNoChoice && c.use.fixedCode < 0;
    if (facts.choice >= 0) tally_.Chose(column, facts.choice);
    if (!c.AsksValue() || c.use.form == ValueForm::kNone || facts.key == 0) {
        if (noChoice) planTally_.NoChoice(column, facts.code, where);
        return note;
    }
    planTally_.Asked(column, where);
    const HostValueKind kind = ModelValueKind(QvsimParamKind(&place.prcsId, facts.key));
    if (kind == HostValueKind::kNone) {
        planTally_.Missing(column, where);
        note.reason = CellReason::kMissingParam;
        return note;
    }
    if (kind != KindOfCode(c.valType)) {
        planTally_.WrongKind(column, kind, where);
        note.wrongKind = kind;
    }
    if (noChoice) planTally_.NoChoice(column, facts.code, where);
    return note;
}

void ModelCheck::Written(int plan, std::string_view path, int rows) {
    outcomes_.Written(plan, path, rows);
    if (plan == pending_) Commit();
    pending_ = kNoPlan;
    if (preview_ != nullptr) preview_->Written(plan, PlanName(plan), names_.ShownFile(plan));
}

void ModelCheck::Commit() {
    tally_.Merge(planTally_);
    for (ToolCheck& tool : planTools_) {
        if (toolsSeen_.insert(tool.name).second) tools_.push_back(std::move(tool));
    }
    planTally_.Clear();
    planTools_.clear();
    planToolNames_.clear();
}

void ModelCheck::CheckTool(const ToolCheck& tool) {
    const std::string& name = tool.name;
    // The export passes the name cut to its first 15 bytes.
    // The name is passed whole, NUL-padded to at least the host's buffer
    // size; the text is read bounded, whatever the host wrote.
    const auto text = [](const std::string& toolName) {
        std::string buffer = toolName;
        buffer.append(kQvptfToolNameSize, '\0');
        char out[kQvptfTextSize] = {};
        int one = 1;
        int status = 0;
        QvptfInqLnN(&one, buffer.data(), out, &status);
        const std::string_view written(out, sizeof out);
        return status < 0 ? std::string() : std::string(written.substr(0, written.find('\0')));
    };
    const std::string cut = name.substr(0, kQvptfToolNameSize - 1);
    if (text(cut).empty() && !text(name).empty()) {
        ctx_.out.Add(Severity::kWarning, file_, LineOf(tool.where.process),
                     "the tool " + Quoted(name) + " of " + PlaceName(tool.where) + " has " + std::to_string(name.size()) +
                         " characters; the export looks its text up as " + Quoted(cut) +
                         ", under which the model lists none, so its tool cell stays empty",
                     FindingCode::kLongToolName, tool.column);
    }
}
