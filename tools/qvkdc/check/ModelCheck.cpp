#include "check/ModelCheck.h"

#include <cstring>
#include <map>

#include "HostSession.h"
#include "TextEncoding.h"
#include "check/TextForms.h"
#include "entry/QvkdcCreOutputData.h"
#include "entry/QvkdcGetFilePath.h"
#include "host/HostMemory.h"
#include "host/HostText.h"
#include "host/Qvptf.h"
#include "model/CQvkdcOutColTblMng.h"
#include "model/CQvkdcSlctValTblMng.h"
#include "platform/DiscardingFileSystem.h"
#include "qvhostsim/qvhostsim.h"

namespace {

bool Is(const QvsimCall& call, const char* name) {
    return call.call != nullptr && std::strcmp(call.call, name) == 0;
}

bool SameId(const ModelId& a, const ModelId& b) {
    return a.objid == b.objid && a.aplsec == b.aplsec && a.insid == b.insid && a.entid == b.entid;
}

// The kind of value (as QvsimParamKind tells it) a column of form reads.
int ExpectedKind(ValueForm form) {
    switch (form) {
        case ValueForm::kReal:
            return kParamDouble;
        case ValueForm::kText:
            return kParamText;
        default:
            return kParamInt;
    }
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

ModelCheck::ModelCheck(const CheckContext& ctx, std::string modelFile)
    : ctx_(ctx), file_(std::move(modelFile)) {}

std::string ModelCheck::PlanName(int index) const {
    return "plan " + std::to_string(index) + ' ' + Quoted(ModelName(plans_[static_cast<std::size_t>(index)]));
}

void ModelCheck::Run() {
    const int n = QvsimPlanCount();
    plans_.resize(static_cast<std::size_t>(n));
    outcomes_.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) QvsimPlanId(i, &plans_[static_cast<std::size_t>(i)]);
    for (int first = 0; first < n;) first = RunExport(first) + 1;

    converter_.SetSlctTbl(&ctx_.build.SlctTbl());
    converter_.PrepareCols(ctx_.build.ColTbl());
    converter_.SetTSetFormTxt(ctx_.build.Tables().GetTSetForm());
    for (int i = 0; i < n; ++i) {
        if (outcomes_[static_cast<std::size_t>(i)].outcome == Outcome::kWritten) Explain(i);
    }
    CheckFileNames();
    tally_.Report(ctx_.build.Columns(), file_, &ctx_.out);
}

int ModelCheck::RunExport(int first) {
    const int count = static_cast<int>(plans_.size()) - first;
    // The library's notes, the [ERR] lines among them, and the calls that
    // tell what became of each plan.
    int status = 0;
    QvkdcRunPlace place;
    std::vector<QvsimCall> calls;
    std::string errors;
    {
        const NotesFollowed notes;
        QvsimCallLog(1);
        DiscardingFileSystem nowhere;
        const ScopedFileSystem scope(&nowhere);
        QvkdcCreOutputDataAt(&count, plans_.data() + first, ".", "check", &status, &place);
        QvsimCallLog(0);
        calls = LoggedCalls();
        errors = ErrorNotes(TraceNotes());
    }

    int rejected = 0;
    for (PlanOutcome& o : TellPlanOutcomes(plans_.data() + first, count, calls, status)) {
        if (o.outcome == Outcome::kNotReached) continue;
        o.index += first;
        if (o.outcome == Outcome::kRejected) ReportRejected(o, calls, rejected++);
        outcomes_[static_cast<std::size_t>(o.index)] = o;
    }
    if (status >= 0 || place.plan < 0) {
        if (status < 0) {
            ctx_.out.Add(Severity::kError, file_, 1,
                         "the export fails before its first plan with " +
                             Quoted(errors.substr(0, errors.find('\n'))),
                         "model-fails");
        }
        return static_cast<int>(plans_.size());
    }
    place.plan += first;
    ReportFailure(place, calls, errors);
    return place.plan;
}

void ModelCheck::ReportFailure(const QvkdcRunPlace& place, const std::vector<QvsimCall>& calls,
                               const std::string& errors) {
    std::string where = PlanName(place.plan);
    if (place.process >= 0) {
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
    const std::string first = errors.substr(0, errors.find('\n'));
    ctx_.out.Add(Severity::kError, file_, 1,
                 where + ": " + (what.empty() ? std::string("a step fails") : what) +
                     "; the export stops there with " + Quoted(first),
                 "model-fails", column);
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
    const std::string plan = "plan " + std::to_string(o.index) + ' ' + Quoted(o.name);
    ctx_.out.Add(Severity::kWarning, file_, 1,
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
    ctx_.out.Add(Severity::kWarning, file_, 1,
                 "the rejected " + plan + " has no machine data; its message " +
                     (name1.empty() && name2.empty()
                          ? std::string("names no machine")
                          : "repeats the machine names " + Quoted(name1) + " and " + Quoted(name2) +
                                " of the rejected plan before it"),
                 "no-machine");
}

void ModelCheck::Explain(int plan) {
    int count = 0;
    ModelId* rawList = nullptr;
    if (QdgmRetLstRO(kQdgmRelPlanPrcs, &plans_[static_cast<std::size_t>(plan)], &count, &rawList) < 0) return;
    const HostPrcsList list(rawList);
    const int columns = static_cast<int>(ctx_.build.Columns().size());
    for (int k = 0; k < count; ++k) {
        const ModelId& id = list.get()[k];
        QdgmPrcsRec* raw = nullptr;
        const int got = QdgmGetPrcs(0, &id, &raw);
        const HostPrcsRec rec(raw);
        if (got != 0 || rec == nullptr) continue;
        const std::string where = "process " + Quoted(ModelName(id)) + " of " + PlanName(plan);
        converter_.SetPrcsId(id);
        converter_.SetPrcsDat(rec.get());
        for (int j = 0; j < columns; ++j) ExplainCell(j, id, rec.get(), where);
        converter_.SetPrcsDat(nullptr);
    }
}

void ModelCheck::ExplainCell(int column, const ModelId& id, QdgmPrcsRec* rec, const std::string& where) {
    const CheckedColumn& c = ctx_.build.Columns()[static_cast<std::size_t>(column)];
    converter_.SetColRow(c.row);
    cell_.clear();
    QvsimCallLog(2);
    const int status = converter_.CnvOutData(cell_);
    QvsimCallLog(0);
    if (status != 0) return;
    if (c.use.toolSetForm && cell_.empty() && rec->tool != nullptr) CheckTool(*rec, column, where);
    if (c.ItName() == kItemToolType && cell_.empty() && rec->tool != nullptr && rec->tool->state == 1 &&
        ctx_.build.SlctTbl().FindRow(c.ItName()) != nullptr) {
        tally_.NoChoice(column, rec->tool->toolType, where);
    }
    if (!c.AsksValue() || c.use.form == ValueForm::kNone) return;
    // The value is the last parameter the converter asked for, after the
    // flag it may ask first.
    std::vector<QvsimCall> asked;
    for (const QvsimCall& call : LoggedCalls()) {
        if (Is(call, "QvlbpPrcInqPrm")) asked.push_back(call);
    }
    const std::size_t valueAt = c.use.flagKey != 0 ? 1 : 0;
    if (asked.size() <= valueAt || asked[valueAt].result != 0) return;
    int key = asked[valueAt].value;
    tally_.Asked(column, where);
    const int kind = QvsimParamKind(&id, key);
    if (kind == kParamNone) {
        tally_.Missing(column, where);
    } else if (kind != ExpectedKind(c.use.form)) {
        tally_.WrongKind(column, kind, where);
    } else if (c.use.form == ValueForm::kSelect && cell_.empty() &&
               ctx_.build.SlctTbl().FindRow(c.ItName()) != nullptr) {
        void* value = nullptr;
        int st = 0;
        QvlbpPrcInqPrm(&rec, &key, &value, &st);
        if (st == 0 && value != nullptr) tally_.NoChoice(column, *static_cast<const int*>(value), where);
    }
}

void ModelCheck::CheckTool(const QdgmPrcsRec& rec, int column, const std::string& where) {
    const std::string name(rec.tool->name, strnlen(rec.tool->name, sizeof rec.tool->name));
    if (name.size() < kQvptfToolNameSize || !toolsSeen_.insert(name).second) return;
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
        ctx_.out.Add(Severity::kWarning, file_, 1,
                     "the tool " + Quoted(name) + " of " + where + " has " + std::to_string(name.size()) +
                         " characters; the export looks its text up as " + Quoted(cut) +
                         ", under which the model lists none, so its tool cell stays empty",
                     "long-tool-name", column);
    }
}

void ModelCheck::CheckFileNames() {
    std::map<std::string, int> byName;
    const int planColumn = ctx_.build.FindItem(std::string(kItemPlanName));
    for (const PlanOutcome& o : outcomes_) {
        if (o.outcome != Outcome::kWritten) continue;
        const std::string plan = PlanName(o.index);
        // With a blank output name the file is named after the plan.
        HostText<kQvkdcPathSize> path;
        if (QvkdcGetFilePath(o.index, &o.id, ".", "", 0, path.data()) != 0) {
            ctx_.out.Add(Severity::kWarning, file_, 1,
                         "the model database cannot give the name of " + plan +
                             "; with a blank output name the export fails there with \"[ERR] : Make FileName\"",
                         "no-plan-name");
            continue;
        }
        // A separator is a character of its own: in a code page of two
        // bytes a character, 0x5C can be the second byte of one.
        if (ctx_.encoding.HasChar(o.name, '/') || ctx_.encoding.HasChar(o.name, '\\')) {
            ctx_.out.Add(Severity::kWarning, file_, 1,
                         "the name of " + plan + " holds a path separator; with a blank output name its file lands " +
                             (o.name.find("..") != std::string::npos ? "outside the output folder"
                                                                     : "in another folder"),
                         "path-in-name");
        }
        const std::string flaw = UnquotedFlaw(o.name);
        if (planColumn >= 0 && !flaw.empty()) {
            ctx_.out.Add(Severity::kWarning, file_, 1, "the name of " + plan + ' ' + flaw, "unquoted-text",
                         planColumn);
        }
        const auto [it, isNew] = byName.try_emplace(o.name, o.index);
        if (isNew) continue;
        ctx_.out.Add(Severity::kWarning, file_, 1,
                     plan + " has the name of " + PlanName(it->second) +
                         "; with a blank output name both write the same file and the later one "
                         "overwrites the earlier",
                     "same-file");
    }
}
