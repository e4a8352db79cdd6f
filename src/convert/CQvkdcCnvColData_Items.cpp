// The dedicated item converters of CQvkdcCnvColData: process name, plan
// name, tool type, tool check text, scan angle type, tool group name and the
// local coordinate values.
#include <cstring>

#include "convert/CQvkdcCnvColData.h"
#include "examine/ValueText.h"
#include "host/HostText.h"
#include "host/Qdgm.h"
#include "host/Qvlbu.h"
#include "host/Qvptf.h"
#include "model/CQvkdcOutColRowMng.h"

namespace {

std::string_view ToolName(const QdgmToolRec& iTool) {
    return std::string_view(iTool.name, strnlen(iTool.name, sizeof iTool.name));
}

}  // namespace

int CQvkdcCnvColData::CnvPrcsNam(const ColPlan&, std::string& ioText) {
    HostText<kQdgmNameSize> name;
    const int got = QdgmRetIdnamLN(&PrcsId, name.data());
    if (got < 0) return Failed(HostCall::kQdgmRetIdnamLN, got);
    const std::size_t start = ioText.size();
    AppendQuotedText(name.view(), ioText);
    return ioText.size() == start ? Tell(CellReason::kBlankName) : 0;
}

int CQvkdcCnvColData::CnvPlanNam(const ColPlan&, std::string& ioText) {
    int unused = 0;
    int capacity = 1;
    ModelId plan = {0, 0, 0, 0};
    const int owner = QdgmRetLstRM(kQdgmRelPlanPrcs, &PrcsId, &unused, &capacity, &plan);
    if (owner < 0 || capacity == 0) {
        Failed(HostCall::kQdgmRetLstRM, owner);
        mFailure.none = owner >= 0;
        return -1;
    }
    HostText<kQdgmNameSize> name;
    const int got = QdgmRetIdnamLN(&plan, name.data());
    if (got < 0) {
        Failed(HostCall::kQdgmRetIdnamLN, got);
        mFailure.whose = HostCallFailure::kPlan;
        return -1;
    }
    ioText.append(name.view());
    return name.view().empty() ? Tell(CellReason::kBlankName) : 0;
}

int CQvkdcCnvColData::CnvToolType1(const ColPlan& iCol, std::string& ioText) {
    const QdgmToolRec* const tool = datSP->tool;
    if (tool == nullptr) return Tell(CellReason::kNoTool);
    if (tool->state != 1) return Tell(CellReason::kToolNotSet, tool->state);
    const int toolType = tool->toolType;
    CnvSlctVal(iCol, &toolType, ioText);
    return TellChoice(iCol, toolType);
}

int CQvkdcCnvColData::CnvToolCheck1(const ColPlan&, std::string& ioText) {
    const QdgmToolRec* const tool = datSP->tool;
    if (tool == nullptr) return Tell(CellReason::kNoTool);
    // A name too long for the buffer is passed cut to its first 15 bytes.
    HostText<kQvptfToolNameSize> toolName;
    const bool whole = toolName.Assign(ToolName(*tool));
    HostText<kQvptfTextSize> text;
    int one = 1;
    int status = 0;
    QvptfInqLnN(&one, toolName.data(), text.data(), &status);
    if (status < 0) {
        Failed(HostCall::kQvptfInqLnN, status);
        mFailure.tool = ToolName(*tool);
        return -1;
    }
    const std::size_t start = ioText.size();
    AppendToolCheckText(TSetForm, text.view(), mScratch, ioText);
    if (mFacts != nullptr) {
        mFacts->tool = ToolName(*tool);
        mFacts->toolCut = !whole;
        if (ioText.size() == start) mFacts->reason = CellReason::kNoToolText;
    }
    return 0;
}

int CQvkdcCnvColData::CnvScanAgl(const ColPlan& iCol, std::string& ioText) {
    const int zero = 0;
    CnvSlctVal(iCol, &zero, ioText);
    return TellChoice(iCol, zero);
}

int CQvkdcCnvColData::CnvTlGrpNam(const ColPlan&, std::string& ioText) {
    HostText<kQvlbuCanToolSize> tools[5];
    int zero = 0;
    QvlbuGetCanTool(&PrcsId, &zero, tools[0].data(), tools[1].data(),
                    tools[2].data(), tools[3].data(), tools[4].data());
    const std::size_t start = ioText.size();
    for (std::size_t i = 0; i < 5; ++i) {
        const std::string_view name = tools[i].view();
        if (name.empty()) continue;
        if (i > 0) ioText.push_back('#');
        ioText.append(name);
    }
    return ioText.size() == start ? Tell(CellReason::kNoCandidates) : 0;
}

int CQvkdcCnvColData::CnvLCLPVal(const ColPlan& iCol, std::string& ioText) {
    int status = 0;
    void* value = nullptr;
    InqPrm(iCol.use.flagKey, status, value);
    if (status < 0) {
        Failed(HostCall::kQvlbpPrcInqPrm, status);
        mFailure.key = iCol.use.flagKey;
        return -1;
    }
    // A flag the host gives no value for counts as "not 1".
    if (value != nullptr && *static_cast<const int*>(value) == 1) {
        return Tell(CellReason::kLocalFlag, iCol.use.flagKey);
    }
    if (!ItemWrittenFor(iCol.use.rule, datSP->nctyp)) {
        return Tell(CellReason::kNotForType, datSP->nctyp);
    }
    InqValue(ValueKey(iCol), status, value);
    if (status < 0) return ValueFailed(iCol, status);
    if (mFacts != nullptr) {
        AppendValueTold(iCol, value, ioText);
    } else {
        AppendValue(iCol, value, ioText);
    }
    return 0;
}
