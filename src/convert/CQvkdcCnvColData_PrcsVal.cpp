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

int CQvkdcCnvColData::CnvPrcsVal(const std::string& iItName,
                                 std::string& oText) {
    int key = ColRow->GetPrmKey();
    const int valType = ColRow->GetValType();
    const int nctyp = datSP->nctyp;

    if (iItName == "ttlKPMCR") {
        if (nctyp != kMacroPrcsType) return 0;
    } else if (iItName == "ttlKPMCRA") {
        if (nctyp == kMacroPrcsType) return 0;
    } else if (iItName == "ttlKZPCHVAL") {
        key = IsPrcsTypeSetA(nctyp) ? kPitchKeySetA : kPitchKeyOther;
    }
    if (key == kNoKey || key == kNoKeyAlt) return 0;

    int status = 0;
    void* value = nullptr;
    InqPrm(key, status, value);
    if (status != 0) return -1;

    switch (valType) {
        case CQvkdcOutColRowMng::kSubTypeInteger:
            CnvIntVal(static_cast<const int*>(value), oText);
            break;
        case CQvkdcOutColRowMng::kValTypeReal:
            CnvRealVal(static_cast<const double*>(value), oText);
            break;
        case CQvkdcOutColRowMng::kValTypeString:
            CnvStrVal(iItName, static_cast<const char*>(value), oText);
            EncloseDblQuot(oText);
            EncloseQuot(oText);
            break;
        case CQvkdcOutColRowMng::kValTypeSelect:
            CnvSlctVal(iItName, static_cast<const int*>(value), oText);
            break;
        default:
            break;
    }
    return 0;
}

void CQvkdcCnvColData::CnvStrVal(const std::string& iItName,
                                 const char* iText, std::string& oText) {
    if (iText == nullptr) {
        oText.clear();
        return;
    }
    oText.assign(iText);
    if (iItName == "ttlKHCOMMENTA") {
        std::replace(oText.begin(), oText.end(), '"', '_');
        std::replace(oText.begin(), oText.end(), ',', '_');
    }
}
