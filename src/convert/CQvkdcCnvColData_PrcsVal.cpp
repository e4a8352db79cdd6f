// CQvkdcCnvColData: the process parameter of a column, by the column's key
// (or the key an item chooses by process type), written by its value type.
#include <algorithm>

#include "convert/CQvkdcCnvColData.h"
#include "convert/PrcsTypeSet.h"
#include "convert/ValueText.h"
#include "model/CQvkdcOutColRowMng.h"

namespace {

// Keys that mean "no parameter": the host is not asked.
constexpr int kNoKey = 0;
constexpr int kNoKeyAlt = 999999;
// Pitch value keys of "ttlKZPCHVAL", by type set A.
constexpr int kPitchKeySetA = 1122;
constexpr int kPitchKeyOther = 1274;
// Process type that "ttlKPMCR" is written for and "ttlKPMCRA" is not.
constexpr int kMacroPrcsType = 2441;

}  // namespace

int CQvkdcCnvColData::CnvPrcsVal(const ColPlan& iCol, std::string& ioText) {
    int key = ColRow->GetPrmKey();
    const int valType = ColRow->GetValType();
    const int nctyp = datSP->nctyp;

    if (iCol.rule == ItemRule::kMacro) {
        if (nctyp != kMacroPrcsType) return 0;
    } else if (iCol.rule == ItemRule::kMacroAlt) {
        if (nctyp == kMacroPrcsType) return 0;
    } else if (iCol.rule == ItemRule::kPitch) {
        key = IsPrcsTypeSetA(nctyp) ? kPitchKeySetA : kPitchKeyOther;
    }
    if (key == kNoKey || key == kNoKeyAlt) return 0;

    int status = 0;
    void* value = nullptr;
    InqPrm(key, status, value);
    if (status != 0) return -1;

    switch (valType) {
        case CQvkdcOutColRowMng::kSubTypeInteger:
            AppendIntVal(static_cast<const int*>(value), ioText);
            break;
        case CQvkdcOutColRowMng::kValTypeReal:
            AppendRealVal(static_cast<const double*>(value), ioText);
            break;
        case CQvkdcOutColRowMng::kValTypeString:
            CnvStrVal(iCol, static_cast<const char*>(value), ioText);
            break;
        case CQvkdcOutColRowMng::kValTypeSelect:
            CnvSlctVal(iCol, static_cast<const int*>(value), ioText);
            break;
        default:
            break;
    }
    return 0;
}

void CQvkdcCnvColData::CnvStrVal(const ColPlan& iCol, const char* iText,
                                 std::string& ioText) {
    if (iText == nullptr) return;
    const std::size_t start = ioText.size();
    AppendQuotedText(iText, ioText);
    // Trimming takes neither character, so replacing after it is the same.
    if (iCol.rule == ItemRule::kComment && ioText.size() > start) {
        const auto first = ioText.begin() + static_cast<std::ptrdiff_t>(start) + 3;
        const auto last = ioText.end() - 3;
        std::replace(first, last, '"', '_');
        std::replace(first, last, ',', '_');
    }
}
