// The dedicated item converters of CQvkdcCnvColData: process name, plan
// name, tool type, tool check text, scan angle type, tool group name and the
// local coordinate values.
#include <cstring>

#include "convert/CQvkdcCnvColData.h"
#include "inspect/ValueText.h"
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
    if (QdgmRetIdnamLN(&PrcsId, name.data()) < 0) return -1;
    AppendQuotedText(name.view(), ioText);
    return 0;
}

int CQvkdcCnvColData::CnvPlanNam(const ColPlan&, std::string& ioText) {
    int unused = 0;
    int capacity = 1;
    ModelId plan = {0, 0, 0, 0};
    if (QdgmRetLstRM(kQdgmRelPlanPrcs, &PrcsId, &unused, &capacity, &plan) < 0 ||
        capacity == 0) {
        return -1;
    }
    HostText<kQdgmNameSize> name;
    if (QdgmRetIdnamLN(&plan, name.data()) < 0) return -1;
    ioText.append(name.view());
    return 0;
}

int CQvkdcCnvColData::CnvToolType1(const ColPlan& iCol, std::string& ioText) {
    const QdgmToolRec* const tool = datSP->tool;
    if (tool == nullptr) return 0;
    if (tool->state == 1) {
        const int toolType = tool->toolType;
        CnvSlctVal(iCol, &toolType, ioText);
    }
    return 0;
}

int CQvkdcCnvColData::CnvToolCheck1(const ColPlan&, std::string& ioText) {
    const QdgmToolRec* const tool = datSP->tool;
    if (tool == nullptr) return 0;
    // A name too long for the buffer is passed cut to its first 15 bytes.
    HostText<kQvptfToolNameSize> toolName;
    toolName.Assign(ToolName(*tool));
    HostText<kQvptfTextSize> text;
    int one = 1;
    int status = 0;
    QvptfInqLnN(&one, toolName.data(), text.data(), &status);
    if (status < 0) return -1;
    AppendToolCheckText(TSetForm, text.view(), mScratch, ioText);
    return 0;
}

int CQvkdcCnvColData::CnvScanAgl(const ColPlan& iCol, std::string& ioText) {
    const int zero = 0;
    CnvSlctVal(iCol, &zero, ioText);
    return 0;
}

int CQvkdcCnvColData::CnvTlGrpNam(const ColPlan&, std::string& ioText) {
    HostText<kQvlbuCanToolSize> tools[5];
    int zero = 0;
    QvlbuGetCanTool(&PrcsId, &zero, tools[0].data(), tools[1].data(),
                    tools[2].data(), tools[3].data(), tools[4].data());
    for (std::size_t i = 0; i < 5; ++i) {
        const std::string_view name = tools[i].view();
        if (name.empty()) continue;
        if (i > 0) ioText.push_back('#');
        ioText.append(name);
    }
    return 0;
}

int CQvkdcCnvColData::CnvLCLPVal(const ColPlan& iCol, std::string& ioText) {
    int status = 0;
    void* value = nullptr;
    InqPrm(kLocalCoordFlagKey, status, value);
    if (status < 0) return -1;
    // A flag the host gives no value for counts as "not 1".
    if (value != nullptr && *static_cast<const int*>(value) == 1) return 0;
    if (!ItemWrittenFor(iCol.rule, datSP->nctyp)) return 0;

    InqPrm(ColRow->GetPrmKey(), status, value);
    if (status < 0) return -1;
    switch (LocalCoordValueForm(ColRow->GetValType())) {
        case ValueForm::kReal:
            AppendRealVal(static_cast<const double*>(value), ioText);
            break;
        case ValueForm::kSelect:
            CnvSlctVal(iCol, static_cast<const int*>(value), ioText);
            break;
        default:
            break;
    }
    return 0;
}
