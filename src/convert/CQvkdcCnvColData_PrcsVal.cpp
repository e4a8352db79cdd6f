// CQvkdcCnvColData: the process parameter of a column, by the column's key
// (or the key an item chooses by process type), written by its value type.
#include "convert/CQvkdcCnvColData.h"
#include "examine/ValueText.h"
#include "model/CQvkdcOutColRowMng.h"

int CQvkdcCnvColData::CnvPrcsVal(const ColPlan& iCol, std::string& ioText) {
    return mFacts != nullptr ? PrcsVal<true>(iCol, ioText) : PrcsVal<false>(iCol, ioText);
}

template <bool kTell>
int CQvkdcCnvColData::PrcsVal(const ColPlan& iCol, std::string& ioText) {
    const int nctyp = datSP->nctyp;
    if (!ItemWrittenFor(iCol.use.rule, nctyp)) return kTell ? Tell(CellReason::kNotForType, nctyp) : 0;
    if (iCol.use.keyMeansNone) return kTell ? Tell(CellReason::kNoKey, ColRow->GetPrmKey()) : 0;

    int status = 0;
    void* value = nullptr;
    if constexpr (kTell) {
        InqValue(ValueKey(iCol), status, value);
    } else {
        InqPrm(ValueKey(iCol), status, value);
    }
    if (status != 0) return ValueFailed(iCol, status);
    if constexpr (kTell) {
        AppendValueTold(iCol, value, ioText);
    } else {
        AppendValue(iCol, value, ioText);
    }
    return 0;
}

int CQvkdcCnvColData::ValueFailed(const ColPlan& iCol, int iStatus) {
    Failed(HostCall::kQvlbpPrcInqPrm, iStatus);
    mFailure.key = ValueKey(iCol);
    return -1;
}

void CQvkdcCnvColData::AppendValueTold(const ColPlan& iCol, const void* iValue, std::string& ioText) {
    if (iCol.use.form == ValueForm::kNone) {
        Tell(CellReason::kNoTextForm);
        return;
    }
    const std::size_t start = ioText.size();
    AppendValue(iCol, iValue, ioText);
    if (iCol.use.form == ValueForm::kSelect && iValue != nullptr) {
        TellChoice(iCol, *static_cast<const int*>(iValue));
    }
    if (ioText.size() == start && mFacts->reason == CellReason::kNone) {
        mFacts->reason = iValue != nullptr ? CellReason::kEmptyValue : CellReason::kMissingParam;
    }
}

void CQvkdcCnvColData::CnvStrVal(const ColPlan& iCol, const char* iText,
                                 std::string& ioText) {
    if (iText == nullptr) return;
    if (iCol.use.rule == ItemRule::kComment) {
        AppendCommentText(iText, ioText);
    } else {
        AppendQuotedText(iText, ioText);
    }
}
