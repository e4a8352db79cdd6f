#include "convert/CQvkdcCnvColData.h"

#include <algorithm>
#include <iterator>

#include "host/TraceScope.h"
#include "host/Qvptf.h"
#include "model/CQvkdcOutColRowMng.h"
#include "model/CQvkdcOutColTblMng.h"
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
    mCurCol = nullptr;
    if (mCols.empty()) return;
    if (mCols[mNextCol].row != iColRow) mNextCol = 0;
    if (mCols[mNextCol].row == iColRow) {
        mCurCol = &mCols[mNextCol];
        mNextCol = (mNextCol + 1) % mCols.size();
    }
}

void CQvkdcCnvColData::SetSlctTbl(const CQvkdcSlctValTblMng* iSlctTbl) {
    SlctTbl = iSlctTbl;
    mCols.clear();
    mNextCol = 0;
    mCurCol = nullptr;
}

void CQvkdcCnvColData::PrepareCols(const CQvkdcOutColTblMng& iColTbl) {
    mCols.assign(static_cast<std::size_t>(iColTbl.GetColCnt()), ColPlan());
    for (std::size_t j = 0; j < mCols.size(); ++j) {
        PlanCol(iColTbl.GetColRow(static_cast<int>(j)), &mCols[j]);
    }
    mNextCol = 0;
    mCurCol = nullptr;
}

void CQvkdcCnvColData::PlanCol(const CQvkdcOutColRowMng* iRow,
                               ColPlan* oPlan) const {
    const std::string& itName = iRow->ItNameRef();
    oPlan->row = iRow;
    oPlan->entry = FindDispatch(itName);
    oPlan->rule = ItemRuleOf(itName);
    oPlan->slct = SlctTbl != nullptr ? SlctTbl->FindRow(itName) : nullptr;
    oPlan->form = ParamValueForm(iRow->GetValType());
}

const CQvkdcCnvColData::ColPlan& CQvkdcCnvColData::CurrentCol() {
    if (mCurCol != nullptr) return *mCurCol;
    PlanCol(ColRow, &mAdhoc);
    return mAdhoc;
}

void CQvkdcCnvColData::SetPrcsDat(QdgmPrcsRec* iDatSP) { datSP = iDatSP; }

void CQvkdcCnvColData::SetTSetFormTxt(std::string_view iTSetForm) {
    TSetForm.assign(iTSetForm.data(), iTSetForm.size());
}

const CQvkdcCnvColData::DispatchEntry* CQvkdcCnvColData::DispatchTable(
    std::size_t* oCount) {
    // Sorted by item name (byte order) for the binary search of FindDispatch.
    static constexpr DispatchEntry kTable[] = {
        {"comment", nullptr, nullptr},
        {"planFolder", nullptr, nullptr},
        {kItemPlanName, &CQvkdcCnvColData::CnvPlanNam, "[ERR] : CnvPlanNam"},
        {"processCheck", nullptr, nullptr},
        {kItemToolCheck, &CQvkdcCnvColData::CnvToolCheck1,
         "[ERR] : CnvToolCheck1"},
        {"toolCheck2", nullptr, nullptr},
        {"toolCheck3", nullptr, nullptr},
        {"toolCheck4", nullptr, nullptr},
        {"toolCheck5", nullptr, nullptr},
        {kItemToolGroup, &CQvkdcCnvColData::CnvTlGrpNam, "[ERR] : CnvTlGrpNam"},
        {kItemToolType, &CQvkdcCnvColData::CnvToolType1, "[ERR] : CnvToolType1"},
        {"toolType2", nullptr, nullptr},
        {"toolType3", nullptr, nullptr},
        {"toolType4", nullptr, nullptr},
        {"toolType5", nullptr, nullptr},
        {kItemPrcsName, &CQvkdcCnvColData::CnvPrcsNam, "[ERR] : CnvPrcsNam"},
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
        {kItemScanAngle, &CQvkdcCnvColData::CnvScanAgl,
         "[ERR] : CnvScanAgl"},
        {kItemLocalAxis, &CQvkdcCnvColData::CnvLCLPVal, "[ERR] : CnvLCLPVal"},
        {kItemLocalHeight, &CQvkdcCnvColData::CnvLCLPVal, "[ERR] : CnvLCLPVal"},
    };
    constexpr bool kSorted = [] {
        for (std::size_t i = 1; i < std::size(kTable); ++i) {
            if (!(kTable[i - 1].itName < kTable[i].itName)) return false;
        }
        return true;
    }();
    static_assert(kSorted,
                  "dispatch table must be sorted and free of duplicates");
    *oCount = std::size(kTable);
    return kTable;
}

const CQvkdcCnvColData::DispatchEntry* CQvkdcCnvColData::FindDispatch(
    std::string_view iItName) {
    std::size_t count = 0;
    const DispatchEntry* const begin = DispatchTable(&count);
    const DispatchEntry* const end = begin + count;
    const DispatchEntry* const it = std::lower_bound(
        begin, end, iItName,
        [](const DispatchEntry& e, std::string_view n) { return e.itName < n; });
    return (it != end && it->itName == iItName) ? it : nullptr;
}

CQvkdcCnvColData::ItemConv CQvkdcCnvColData::GetItemConv(
    std::string_view iItName) {
    const DispatchEntry* const entry = FindDispatch(iItName);
    if (entry == nullptr) return kItemConvParam;
    return entry->conv == nullptr ? kItemConvEmpty : kItemConvDedicated;
}

CQvkdcCnvColData::ColumnUse CQvkdcCnvColData::DescribeCol(
    std::string_view iItName, int iPrmKey, int iValType) {
    ColumnUse use;
    use.conv = GetItemConv(iItName);
    use.rule = ItemRuleOf(iItName);
    if (use.conv == kItemConvParam) {
        // CnvPrcsVal.
        use.keyMeansNone = use.rule != ItemRule::kPitch && IsNoPrmKey(iPrmKey);
        use.asksOwnKey = use.rule != ItemRule::kPitch && !use.keyMeansNone;
        use.form = use.keyMeansNone ? ValueForm::kNone : ParamValueForm(iValType);
        use.choiceText = use.form == ValueForm::kSelect;
    } else if (iItName == kItemLocalAxis || iItName == kItemLocalHeight) {
        // CnvLCLPVal.
        use.asksOwnKey = true;
        use.flagKey = kLocalCoordFlagKey;
        use.form = LocalCoordValueForm(iValType);
        use.choiceText = use.form == ValueForm::kSelect;
    } else if (iItName == kItemToolType) {
        use.choiceText = true;  // CnvToolType1: the tool type number
    } else if (iItName == kItemScanAngle) {
        use.choiceText = true;  // CnvScanAgl: always the choice of 0
        use.fixedCode = 0;
    } else if (iItName == kItemToolCheck) {
        use.toolSetForm = true;  // CnvToolCheck1
    }
    return use;
}

std::vector<std::string_view> CQvkdcCnvColData::DispatchItemNames() {
    std::size_t count = 0;
    const DispatchEntry* const table = DispatchTable(&count);
    std::vector<std::string_view> names;
    names.reserve(count);
    for (std::size_t i = 0; i < count; ++i) names.push_back(table[i].itName);
    return names;
}

int CQvkdcCnvColData::ConvertCol(std::string& ioText) {
    if (ColRow == nullptr || SlctTbl == nullptr) {
        TraceScope::Chr("[ERR] : NULL ColTbl");
        return -1;
    }
    if (datSP == nullptr) {
        TraceScope::Chr("[ERR] : NULL datSP");
        return -1;
    }
    const ColPlan& col = CurrentCol();
    const DispatchEntry* const entry = col.entry;
    if (entry != nullptr && entry->conv == nullptr) return 0;
    const Converter conv =
        entry != nullptr ? entry->conv : &CQvkdcCnvColData::CnvPrcsVal;
    const int status = (this->*conv)(col, ioText);
    if (status != 0) {
        TraceScope::Chr(entry != nullptr ? entry->errText : "[ERR] : CnvPrcsVal");
    }
    return status;
}

int CQvkdcCnvColData::CnvOutData(std::string& oOutStr) {
    TraceScope scope(kCnvOutDataRec);
    mWork.clear();
    const int status = ConvertCol(mWork);
    if (status == 0) oOutStr.swap(mWork);
    if (scope.StillActive()) TraceScope::Val("oOutStr", oOutStr);
    return status;
}

int CQvkdcCnvColData::CnvOutDataAppend(std::string& ioRow) {
    TraceScope scope(kCnvOutDataRec);
    const std::size_t start = ioRow.size();
    const int status = ConvertCol(ioRow);
    if (status != 0) ioRow.resize(start);
    if (scope.StillActive()) TraceScope::Val("oOutStr", ioRow.c_str() + start);
    return status;
}

void CQvkdcCnvColData::CnvSlctVal(const ColPlan& iCol, const int* iVal,
                                  std::string& ioText) {
    std::string_view text;
    if (iVal != nullptr && iCol.slct != nullptr && iCol.slct->FindSlctExName(*iVal, &text)) {
        ioText.append(text);
    }
}

void CQvkdcCnvColData::InqPrm(int iKey, int& ioStatus, void*& oValue) {
    oValue = nullptr;
    int key = iKey;
    QvlbpPrcInqPrm(&datSP, &key, &oValue, &ioStatus);
}
