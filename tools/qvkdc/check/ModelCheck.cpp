#include "check/ModelCheck.h"

#include <cstring>
#include <utility>

#include "export/FailureCause.h"
#include "host/HostSession.h"
#include "check/TextForms.h"
#include "entry/QvkdcCreOutputData.h"
#include "host/HostMemory.h"
#include "host/HostText.h"
#include "host/Qvptf.h"
#include "model/CQvkdcOutColTblMng.h"
#include "model/CQvkdcSlctValTblMng.h"
#include "ValueTypes.h"
#include "platform/ProbingFileSystem.h"
#include "qvhostsim/qvhostsim.h"

namespace {

bool Is(const QvsimCall& call, const char* name) {
    return call.call != nullptr && std::strcmp(call.call, name) == 0;
}

bool SameId(const ModelId& a, const ModelId& b) {
    return a.objid == b.objid && a.aplsec == b.aplsec && a.insid == b.insid && a.entid == b.entid;
}

// Field n (0-based) of a tab-separated message line.
std::string Field(std::string_view line, int n) {
    for (; n > 0; --n) {
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos) return std::string();
        line.remove_prefix(tab + 1);
    }
    return std::string(line.substr(0, line.find('\t')));
}

}  // namespace

ModelCheck::ModelCheck(const CheckContext& ctx, std::string modelFile, const ExportCall& call,
                       ExportPreview* preview)
    : ctx_(ctx),
      file_(std::move(modelFile)),
      call_(call),
      preview_(preview),
      names_(ctx, file_, call, [this](int plan) { return PlanName(plan); },
             [this](int plan) { return LineOf(plans_[static_cast<std::size_t>(plan)]); }) {}

int ModelCheck::LineOf(const ModelId& id) {
    const int line = QvsimModelLine(&id);
    return line > 0 ? line : 1;
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
    outcomes_.resize(indexes_.size());
    for (std::size_t i = 0; i < indexes_.size(); ++i) QvsimPlanId(indexes_[i], &plans_[i]);
    namesMet_ = names_.Prepare(plans_.data(), n);

    const std::vector<CheckedColumn>& columns = ctx_.build.Columns();
    for (const CheckedColumn& c : columns) {
        toolType_.push_back(c.ItName() == kItemToolType);
        hasChoices_.push_back(ctx_.build.SlctTbl().FindRow(c.ItName()) != nullptr);
    }
    converter_.SetSlctTbl(&ctx_.build.SlctTbl());
    converter_.PrepareCols(ctx_.build.ColTbl());
    converter_.SetTSetFormTxt(ctx_.build.Tables().GetTSetForm());
    // An empty block runs too: the run may still fail before its plans.
    int first = 0;
    do {
        first = RunExport(first) + 1;
    } while (first < n);

    for (const ToolCheck& tool : tools_) CheckTool(tool);
    names_.Run(outcomes_);
    tally_.Report(
        columns, file_, [this](const ValuePlace& where) { return PlaceName(where); },
        [](const ValuePlace& where) { return LineOf(where.process); }, &ctx_.out);
}

int ModelCheck::RunExport(int first) {
    const int count = static_cast<int>(plans_.size());
    const ModelId none{};
    const ModelId* block = plans_.empty() ? &none : plans_.data();
    // The library's notes, the failure lines among them, and the calls that
    // tell what became of each plan.
    int status = 0;
    QvkdcRunPlace place;
    CallRecord record;
    std::string failedPath;
    std::string why;
    {
        const NotesFollowed notes;
        QvsimCallLog(3);
        ProbingFileSystem probing;
        DiscardingFileSystem discarding;
        const ScopedFileSystem scope(namesMet_ ? &probing : &discarding);
        if (namesMet_) {
            QvkdcCreOutputDataAt(&count, block, call_.out.c_str(), call_.name.c_str(), &status, &place, first, this);
        } else {
            // Any name but a blank one keeps the plan names out of the run.
            QvkdcCreOutputDataAt(&count, block, ".", "check", &status, &place, first, this);
        }
        QvsimCallLog(0);
        record.calls = LoggedCalls();
        record.notes = TraceNotes();
        failedPath = probing.FailedPath();
        why = probing.Why();
    }
    const std::vector<QvsimCall>& calls = record.calls;
    const std::string errors = ErrorNotes(record.notes);

    int rejected = 0;
    for (PlanOutcome& o : TellPlanOutcomes(block + first, count - first, calls, status)) {
        if (o.outcome == Outcome::kNotReached) continue;
        o.index += first;
        if (o.outcome == Outcome::kRejected) ReportRejected(o, calls, rejected++);
        outcomes_[static_cast<std::size_t>(o.index)] = o;
    }
    if (status >= 0 || place.plan < 0) {
        pending_ = -1;
        if (status < 0) {
            ctx_.out.Add(Severity::kError, file_, 1,
                         "the export fails before its first plan with " +
                             Quoted(errors.substr(0, errors.find('\n'))),
                         "model-fails");
        }
        return count;
    }
    const FailArea area = FailurePointOf(place.step).area;
    if (area == FailArea::kFileName || area == FailArea::kFile) {
        // Its rows were made: they count as those of a written plan.
        if (pending_ == place.plan) Commit();
        outcomes_[static_cast<std::size_t>(place.plan)].failedAtFile = true;
        names_.ReportFailure(place.plan, place.step, record.Errors(), failedPath, why);
    } else {
        ReportFailure(place, calls, errors);
    }
    pending_ = -1;
    return place.plan;
}

void ModelCheck::ReportFailure(const QvkdcRunPlace& place, const std::vector<QvsimCall>& calls,
                               const std::string& errors) {
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
        const CheckedColumn& c = ctx_.build.Columns()[static_cast<std::size_t>(column)];
        where += ", column " + std::to_string(column + 1) + ' ' + Quoted(c.ExName()) + " (" + ctx_.DefFile(c) +
                 ':' + std::to_string(c.trail.def.line) + ')';
    }
    const std::string what = FailedCall(calls, place);
    std::string first = column >= 0 ? CellError(place) : std::string();
    if (first.empty()) first = errors.substr(0, errors.find('\n'));
    ctx_.out.Add(Severity::kError, file_, line,
                 where + ": " + (what.empty() ? std::string("a step fails") : what) +
                     "; the export stops there with " + Quoted(first),
                 "model-fails", column);
}

std::string ModelCheck::CellError(const QvkdcRunPlace& place) {
    QdgmPrcsRec* raw = nullptr;
    const int got = QdgmGetPrcs(0, &place.prcsId, &raw);
    const HostPrcsRec rec(raw);
    if (got != 0 || rec == nullptr) return std::string();
    std::vector<std::string> notes;
    {
        const NotesFollowed followed(true);
        converter_.SetPrcsId(place.prcsId);
        converter_.SetPrcsDat(rec.get());
        converter_.SetColRow(ctx_.build.Columns()[static_cast<std::size_t>(place.column)].row);
        converter_.CnvOutData(cell_);
        converter_.SetPrcsDat(nullptr);
        notes = TraceNotes();
    }
    for (const std::string& note : notes) {
        if (IsFailureLine(note)) return note;
    }
    return std::string();
}

std::string ModelCheck::FailedCall(const std::vector<QvsimCall>& calls, const QvkdcRunPlace& place) const {
    // The calls of the process (or plan) the run failed at.
    std::size_t from = 0;
    for (std::size_t i = calls.size(); i-- > 0;) {
        if (Is(calls[i], "QdgmInqNctyp") || Is(calls[i], "QdgmRetLstRO")) {
            from = i;
            break;
        }
    }
    const ModelId& plan = plans_[static_cast<std::size_t>(place.plan)];
    for (std::size_t i = from; i < calls.size(); ++i) {
        const QvsimCall& c = calls[i];
        const std::string answers = " answers " + std::to_string(c.result) + ")";
        if (Is(c, "QdgmInqNctyp") && c.result != 0) {
            return "the model database cannot give the process's type (QdgmInqNctyp" + answers;
        }
        if (Is(c, "QdgmGetPrcs")) {
            return "the model database cannot give the process's record (QdgmGetPrcs" + answers;
        }
        if (Is(c, "QdgmRetIdnamLN")) {
            const char* whose = SameId(c.id, plan) ? "the plan's name"
                                : SameId(c.id, place.prcsId) ? "the process's name"
                                                             : "the name of the process's plan";
            return std::string("the model database cannot give ") + whose + " (QdgmRetIdnamLN" + answers;
        }
        if (Is(c, "QdgmRetLstRM")) {
            return c.result < 0 ? "the model database cannot give the plan that holds the process (QdgmRetLstRM" +
                                      answers
                                : std::string("the model database finds no plan that holds the process "
                                              "(QdgmRetLstRM gives none)");
        }
        if (Is(c, "QvlbpPrcInqPrm")) {
            return "the parameter " + std::to_string(c.value) + " answers the status " + std::to_string(c.result) +
                   " (QvlbpPrcInqPrm)";
        }
        if (Is(c, "QvptfInqLnN")) {
            std::string tool;
            QdgmPrcsRec* raw = nullptr;
            const int got = QdgmGetPrcs(0, &place.prcsId, &raw);
            const HostPrcsRec rec(raw);
            if (got == 0 && rec != nullptr && rec->tool != nullptr) {
                tool = " for the tool " +
                       Quoted(std::string(rec->tool->name, strnlen(rec->tool->name, sizeof rec->tool->name)));
            }
            return "the tool text lookup answers the status " + std::to_string(c.result) + tool + " (QvptfInqLnN)";
        }
    }
    return std::string();
}

void ModelCheck::ReportRejected(const PlanOutcome& o, const std::vector<QvsimCall>& calls, int rejectedBefore) {
    const std::string plan =
        "plan " + std::to_string(indexes_[static_cast<std::size_t>(o.index)]) + ' ' + Quoted(o.name);
    // What the export is meant to do with such a plan: a fact of the model.
    ctx_.out.Add(Severity::kNote, file_, LineOf(o.hasProcess ? o.process : o.id),
                 plan + " is rejected: its process " + Quoted(o.processName) + " has the type " +
                     std::to_string(o.processType) + ", which the export does not accept; the plan gets no file",
                 "rejected-plan");
    bool noMachine = false;
    for (const QvsimCall& c : calls) {
        if (Is(c, "QvlbuGetMaId") && SameId(c.id, o.id)) noMachine = c.value == 1;
    }
    if (!noMachine) return;
    // Message 4 of this plan, the rejectedBefore-th of the run.
    const char* line = QvsimMsgAt(rejectedBefore);
    const std::string name1 = line != nullptr ? Field(line, 0) : std::string();
    const std::string name2 = line != nullptr ? Field(line, 1) : std::string();
    ctx_.out.Add(Severity::kWarning, file_, LineOf(o.id),
                 "the rejected " + plan + " has no machine data; its message " +
                     (name1.empty() && name2.empty()
                          ? std::string("names no machine")
                          : "repeats the machine names " + Quoted(name1) + " and " + Quoted(name2) +
                                " of the rejected plan before it"),
                 "no-machine");
}

void ModelCheck::Converted(const QvkdcRunPlace& place, int column, std::string_view text, QdgmPrcsRec* record) {
    // The parameters this cell asked for, and the flag it may ask first.
    QvsimCall asked[2];
    const int askedCount = QvsimCallLogAsked(asked, 2);
    if (place.plan != pending_) {
        // The plan before was not written: its counts go.
        pending_ = place.plan;
        planTally_.Clear();
        planTools_.clear();
        planToolNames_.clear();
    }
    const CellReason why = Tally(place, column, text, record, asked, askedCount);
    if (preview_ == nullptr) return;
    // Why an empty cell is empty, for the rows shown only.
    const std::size_t j = static_cast<std::size_t>(column);
    const bool told = why.kind != CellReason::kNone || !text.empty() || !preview_->Keeps(place.plan, place.process);
    preview_->Cell(place.plan, place.process, column, text,
                   told ? why : EmptyCellReason(ctx_.build.Columns()[j], *record, askedCount, hasChoices_[j] != 0));
}

CellReason ModelCheck::Tally(const QvkdcRunPlace& place, int column, std::string_view text, QdgmPrcsRec* record,
                             const QvsimCall* asked, int askedCount) {
    const std::size_t j = static_cast<std::size_t>(column);
    const CheckedColumn& c = ctx_.build.Columns()[j];
    const ValuePlace where{place.plan, place.prcsId};
    if (text.empty() && record->tool != nullptr) {
        if (c.use.toolSetForm) {
            // Looked up once the runs are over: the run's host calls stay its own.
            std::string name(record->tool->name, strnlen(record->tool->name, sizeof record->tool->name));
            if (name.size() >= kQvptfToolNameSize && planToolNames_.insert(name).second) {
                planTools_.push_back(ToolCheck{std::move(name), column, where});
            }
        }
        if (toolType_[j] && record->tool->state == 1 && hasChoices_[j]) {
            planTally_.NoChoice(column, record->tool->toolType, where);
            return {CellReason::kNoChoice, 0, record->tool->toolType};
        }
    }
    if (!c.AsksValue() || c.use.form == ValueForm::kNone) return {};
    // The value is the last parameter asked, after the flag.
    const int valueAt = c.use.flagKey != 0 ? 1 : 0;
    if (askedCount <= valueAt || asked[valueAt].result != 0) return {};
    int key = asked[valueAt].value;
    planTally_.Asked(column, where);
    const HostValueKind kind = ModelValueKind(QvsimParamKind(&place.prcsId, key));
    if (kind == HostValueKind::kNone) {
        planTally_.Missing(column, where);
        return {CellReason::kMissingParam, key};
    }
    if (kind != KindOfCode(c.row->GetValType())) {
        planTally_.WrongKind(column, kind, where);
        return {CellReason::kWrongKind, key, static_cast<int>(kind)};
    }
    if (c.use.form == ValueForm::kSelect && text.empty() && hasChoices_[j]) {
        // The code without a choice: asked again, which the cell just did.
        void* value = nullptr;
        int st = 0;
        QvlbpPrcInqPrm(&record, &key, &value, &st);
        QvsimCallLogAsked(nullptr, 0);
        if (st == 0 && value != nullptr) {
            const int code = *static_cast<const int*>(value);
            planTally_.NoChoice(column, code, where);
            return {CellReason::kNoChoice, key, code};
        }
    }
    return {};
}

void ModelCheck::Written(int plan) {
    if (plan == pending_) Commit();
    pending_ = -1;
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
    const auto text = [](const std::string& toolName) {
        std::string buffer = toolName;
        HostText<kQvptfTextSize> out;
        int one = 1;
        int status = 0;
        QvptfInqLnN(&one, buffer.data(), out.data(), &status);
        return status < 0 ? std::string() : out.str();
    };
    const std::string cut = name.substr(0, kQvptfToolNameSize - 1);
    if (text(cut).empty() && !text(name).empty()) {
        ctx_.out.Add(Severity::kWarning, file_, LineOf(tool.where.process),
                     "the tool " + Quoted(name) + " of " + PlaceName(tool.where) + " has " + std::to_string(name.size()) +
                         " characters; the export looks its text up as " + Quoted(cut) +
                         ", under which the model lists none, so its tool cell stays empty",
                     "long-tool-name", tool.column);
    }
}
