#include "convert/CQvkdcCnvColData.h"

#include <algorithm>
#include <iterator>

#include "host/TraceScope.h"
#include "host/Qvptf.h"
#include "model/CQvkdcOutColRowMng.h"
#include "model/CQvkdcSlctValTblMng.h"

namespace {
const TraceRecord kCnvOutDataRec = {577687, "CQvkdcCnvColData::CnvOutData"};
}  // namespace

struct CQvkdcCnvColData::DispatchEntry {
    std::string_view itName;
    // Null: the column is always empty and nothing is read from the process.
    Converter conv;
    const char* errText;
};

CQvkdcCnvColData::CQvkdcCnvColData()
    : PrcsId{0, 0, 0, 0}, ColRow(nullptr), SlctTbl(nullptr), datSP(nullptr) {}

CQvkdcCnvColData::~CQvkdcCnvColData() = default;

void CQvkdcCnvColData::SetPrcsId(const int32_t* iPrcsId) {
    PrcsId.objid = iPrcsId[0];
    PrcsId.aplsec = iPrcsId[1];
    PrcsId.insid = iPrcsId[2];
    PrcsId.entid = iPrcsId[3];
}

void CQvkdcCnvColData::SetPrcsId(const ModelId& iPrcsId) { PrcsId = iPrcsId; }

void CQvkdcCnvColData::SetColRow(const CQvkdcOutColRowMng* iColRow) {
    ColRow = iColRow;
}

void CQvkdcCnvColData::SetSlctTbl(const CQvkdcSlctValTblMng* iSlctTbl) {
    SlctTbl = iSlctTbl;
}

void CQvkdcCnvColData::SetPrcsDat(QdgmPrcsRec* iDatSP) { datSP = iDatSP; }

void CQvkdcCnvColData::SetTSetFormTxt(std::string_view iTSetForm) {
    TSetForm.assign(iTSetForm.data(), iTSetForm.size());
}

const CQvkdcCnvColData::DispatchEntry* CQvkdcCnvColData::FindDispatch(
    std::string_view iItName) {
    // Sorted by item name (byte order) for the binary search below.
    static constexpr DispatchEntry kTable[] = {
        {"comment", nullptr, nullptr},
        {"planFolder", nullptr, nullptr},
        {"planName", &CQvkdcCnvColData::CnvPlanNam, "[ERR] : CnvPlanNam"},
        {"processCheck", nullptr, nullptr},
        {"toolCheck1", &CQvkdcCnvColData::CnvToolCheck1,
         "[ERR] : CnvToolCheck1"},
        {"toolCheck2", nullptr, nullptr},
        {"toolCheck3", nullptr, nullptr},
        {"toolCheck4", nullptr, nullptr},
        {"toolCheck5", nullptr, nullptr},
        {"toolGrpName", &CQvkdcCnvColData::CnvTlGrpNam, "[ERR] : CnvTlGrpNam"},
        {"toolType1", &CQvkdcCnvColData::CnvToolType1, "[ERR] : CnvToolType1"},
        {"toolType2", nullptr, nullptr},
        {"toolType3", nullptr, nullptr},
        {"toolType4", nullptr, nullptr},
        {"toolType5", nullptr, nullptr},
        {"ttlKHNAMEA", &CQvkdcCnvColData::CnvPrcsNam, "[ERR] : CnvPrcsNam"},
        {"ttlKPANGLE", nullptr, nullptr},
        {"ttlKPUSRDEF1", nullptr, nullptr},
        {"ttlKPUSRDEF10", nullptr, nullptr},
        {"ttlKPUSRDEF2", nullptr, nullptr},
        {"ttlKPUSRDEF3", nullptr, nullptr},
        {"ttlKPUSRDEF4", nullptr, nullptr},
        {"ttlKPUSRDEF5", nullptr, nullptr},
        {"ttlKPUSRDEF6", nullptr, nullptr},
        {"ttlKPUSRDEF7", nullptr, nullptr},
        {"ttlKPUSRDEF8", nullptr, nullptr},
        {"ttlKPUSRDEF9", nullptr, nullptr},
        {"ttlKSCNANGDECTYP", &CQvkdcCnvColData::CnvScanAgl,
         "[ERR] : CnvScanAgl"},
        {"ttlLCLPAXIS", &CQvkdcCnvColData::CnvLCLPVal, "[ERR] : CnvLCLPVal"},
        {"ttlLCLPHGT", &CQvkdcCnvColData::CnvLCLPVal, "[ERR] : CnvLCLPVal"},
    };
    constexpr bool kSorted = [] {
        for (std::size_t i = 1; i < std::size(kTable); ++i) {
            if (!(kTable[i - 1].itName < kTable[i].itName)) return false;
        }
        return true;
    }();
    static_assert(kSorted,
                  "dispatch table must be sorted and free of duplicates");

    const DispatchEntry* const end = std::end(kTable);
    const DispatchEntry* const it = std::lower_bound(
        std::begin(kTable), end, iItName,
        [](const DispatchEntry& e, std::string_view n) { return e.itName < n; });
    return (it != end && it->itName == iItName) ? it : nullptr;
}

CQvkdcCnvColData::ItemConv CQvkdcCnvColData::GetItemConv(
    std::string_view iItName) {
    const DispatchEntry* const entry = FindDispatch(iItName);
    if (entry == nullptr) return kItemConvParam;
    return entry->conv == nullptr ? kItemConvEmpty : kItemConvDedicated;
}

int CQvkdcCnvColData::CnvOutData(std::string& oOutStr) {
    TraceScope scope(kCnvOutDataRec);
    int status = 0;
    if (ColRow == nullptr || SlctTbl == nullptr) {
        TraceScope::Chr("[ERR] : NULL ColTbl");
        status = -1;
    } else if (datSP == nullptr) {
        TraceScope::Chr("[ERR] : NULL datSP");
        status = -1;
    } else {
        const std::string& itName = ColRow->ItNameRef();
        const DispatchEntry* const entry = FindDispatch(itName);
        if (entry != nullptr && entry->conv == nullptr) {
            oOutStr.clear();
        } else {
            const Converter conv =
                entry != nullptr ? entry->conv : &CQvkdcCnvColData::CnvPrcsVal;
            mWork.clear();
            status = (this->*conv)(itName, mWork);
            if (status == 0) {
                oOutStr.assign(mWork);
            } else {
                TraceScope::Chr(entry != nullptr ? entry->errText
                                                 : "[ERR] : CnvPrcsVal");
            }
        }
    }
    if (scope.StillActive()) TraceScope::Val("oOutStr", oOutStr);
    return status;
}

void CQvkdcCnvColData::CnvSlctVal(const std::string& iItName, const int* iVal,
                                  std::string& oText) const {
    if (iVal == nullptr) {
        oText.clear();
        return;
    }
    oText = SlctTbl->GetSlctExName(iItName, *iVal);
}

void CQvkdcCnvColData::InqPrm(int iKey, int& ioStatus, void*& oValue) {
    oValue = nullptr;
    int key = iKey;
    QvlbpPrcInqPrm(&datSP, &key, &oValue, &ioStatus);
}
