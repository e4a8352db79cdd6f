// CQvkdcCnvColData: the process parameter of a column, by the column's key
// (or the key an item chooses by process type), written by its value type.
#include "convert/CQvkdcCnvColData.h"
#include "inspect/ValueText.h"
#include "model/CQvkdcOutColRowMng.h"

int CQvkdcCnvColData::CnvPrcsVal(const ColPlan& iCol, std::string& ioText) {
    int key = ColRow->GetPrmKey();
    const int nctyp = datSP->nctyp;

    if (!ItemWrittenFor(iCol.rule, nctyp)) return 0;
    if (iCol.rule == ItemRule::kPitch) {
        key = PitchPrmKey(nctyp);
    } else if (IsNoPrmKey(key)) {
        return 0;
    }

    int status = 0;
    void* value = nullptr;
    InqPrm(key, status, value);
    if (status != 0) return -1;

    switch (iCol.form) {
        case ValueForm::kInt:
            AppendIntVal(static_cast<const int*>(value), ioText);
            break;
        case ValueForm::kReal:
            AppendRealVal(static_cast<const double*>(value), ioText);
            break;
        case ValueForm::kText:
            CnvStrVal(iCol, static_cast<const char*>(value), ioText);
            break;
        case ValueForm::kSelect:
            CnvSlctVal(iCol, static_cast<const int*>(value), ioText);
            break;
        case ValueForm::kNone:
            break;
    }
    return 0;
}

void CQvkdcCnvColData::CnvStrVal(const ColPlan& iCol, const char* iText,
                                 std::string& ioText) {
    if (iText == nullptr) return;
    if (iCol.rule == ItemRule::kComment) {
        AppendCommentText(iText, ioText);
    } else {
        AppendQuotedText(iText, ioText);
    }
}
