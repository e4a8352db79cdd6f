#include "convert/CQvkdcCnvColData.h"

#include <algorithm>
#include <iterator>

#include "examine/FailurePoints.h"
#include "host/FailureTrace.h"
#include "host/TraceScope.h"
#include "host/Qvptf.h"
#include "model/CQvkdcOutColRowMng.h"
#include "model/CQvkdcOutColTblMng.h"
#include "model/CQvkdcSlctValTblMng.h"

namespace {
const TraceRecord kCnvOutDataRec = {kCnvOutDataTraceId, "CQvkdcCnvColData::CnvOutData"};
}  // namespace

struct CQvkdcCnvColData::DispatchEntry {
    std::string_view itName;
    // Null: the column is always empty and nothing is read from the process.
    Converter conv;
    FailStep failure;  // traced when conv fails
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
    const DispatchEntry* const entry = FindDispatch(itName);
    oPlan->conv = entry != nullptr ? entry->conv : &CQvkdcCnvColData::CnvPrcsVal;
    oPlan->failure = entry != nullptr ? entry->failure : FailStep::kCnvPrcsVal;
    oPlan->slct = SlctTbl != nullptr ? SlctTbl->FindRow(itName) : nullptr;
    oPlan->use = DescribeColumn(itName, iRow->GetPrmKey(), iRow->GetValType());
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
        {"comment", nullptr, FailStep::kNone},
        {"planFolder", nullptr, FailStep::kNone},
        {kItemPlanName, &CQvkdcCnvColData::CnvPlanNam, FailStep::kCnvPlanNam},
        {"processCheck", nullptr, FailStep::kNone},
        {kItemToolCheck, &CQvkdcCnvColData::CnvToolCheck1,
         FailStep::kCnvToolCheck1},
        {"toolCheck2", nullptr, FailStep::kNone},
        {"toolCheck3", nullptr, FailStep::kNone},
        {"toolCheck4", nullptr, FailStep::kNone},
        {"toolCheck5", nullptr, FailStep::kNone},
        {kItemToolGroup, &CQvkdcCnvColData::CnvTlGrpNam, FailStep::kCnvTlGrpNam},
        {kItemToolType, &CQvkdcCnvColData::CnvToolType1, FailStep::kCnvToolType1},
        {"toolType2", nullptr, FailStep::kNone},
        {"toolType3", nullptr, FailStep::kNone},
        {"toolType4", nullptr, FailStep::kNone},
        {"toolType5", nullptr, FailStep::kNone},
        {kItemPrcsName, &CQvkdcCnvColData::CnvPrcsNam, FailStep::kCnvPrcsNam},
        {"ttlKPANGLE", nullptr, FailStep::kNone},
        {"ttlKPUSRDEF1", nullptr, FailStep::kNone},
        {"ttlKPUSRDEF10", nullptr, FailStep::kNone},
        {"ttlKPUSRDEF2", nullptr, FailStep::kNone},
        {"ttlKPUSRDEF3", nullptr, FailStep::kNone},
        {"ttlKPUSRDEF4", nullptr, FailStep::kNone},
        {"ttlKPUSRDEF5", nullptr, FailStep::kNone},
        {"ttlKPUSRDEF6", nullptr, FailStep::kNone},
        {"ttlKPUSRDEF7", nullptr, FailStep::kNone},
        {"ttlKPUSRDEF8", nullptr, FailStep::kNone},
        {"ttlKPUSRDEF9", nullptr, FailStep::kNone},
        {kItemScanAngle, &CQvkdcCnvColData::CnvScanAgl,
         FailStep::kCnvScanAgl},
        {kItemLocalAxis, &CQvkdcCnvColData::CnvLCLPVal, FailStep::kCnvLCLPVal},
        {kItemLocalHeight, &CQvkdcCnvColData::CnvLCLPVal, FailStep::kCnvLCLPVal},
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

ColumnUse DescribeColumn(std::string_view itName, int prmKey, int valType) {
    ColumnUse use;
    const CQvkdcCnvColData::DispatchEntry* const entry = CQvkdcCnvColData::FindDispatch(itName);
    use.conv = entry == nullptr        ? ItemConv::kParam
               : entry->conv == nullptr ? ItemConv::kEmpty
                                        : ItemConv::kDedicated;
    use.rule = ItemRuleOf(itName);
    if (use.conv == ItemConv::kParam) {
        // CnvPrcsVal.
        use.keyMeansNone = use.rule != ItemRule::kPitch && IsNoPrmKey(prmKey);
        use.asksOwnKey = use.rule != ItemRule::kPitch && !use.keyMeansNone;
        use.form = use.keyMeansNone ? ValueForm::kNone : ParamValueForm(valType);
        use.choiceText = use.form == ValueForm::kSelect;
    } else if (itName == kItemLocalAxis || itName == kItemLocalHeight) {
        // CnvLCLPVal.
        use.asksOwnKey = true;
        use.flagKey = kLocalCoordFlagKey;
        use.form = LocalCoordValueForm(valType);
        use.choiceText = use.form == ValueForm::kSelect;
    } else if (itName == kItemToolType) {
        use.choiceText = true;  // CnvToolType1: the tool type number
    } else if (itName == kItemScanAngle) {
        use.choiceText = true;  // CnvScanAgl: always the choice of 0
        use.fixedCode = 0;
    } else if (itName == kItemToolCheck) {
        use.toolSetForm = true;  // CnvToolCheck1
    }
    return use;
}

std::vector<std::string_view> DispatchItemNames() {
    std::size_t count = 0;
    const CQvkdcCnvColData::DispatchEntry* const table = CQvkdcCnvColData::DispatchTable(&count);
    std::vector<std::string_view> names;
    names.reserve(count);
    for (std::size_t i = 0; i < count; ++i) names.push_back(table[i].itName);
    return names;
}

int CQvkdcCnvColData::ConvertCol(std::string& ioText) {
    if (ColRow == nullptr || SlctTbl == nullptr) {
        mFailure = HostCallFailure();
        return TraceFailure(FailStep::kNullColTbl);
    }
    if (datSP == nullptr) {
        mFailure = HostCallFailure();
        return TraceFailure(FailStep::kNullDatSP);
    }
    const ColPlan& col = CurrentCol();
    if (col.conv == nullptr) return Tell(CellReason::kAlwaysEmpty);
    const int status = (this->*col.conv)(col, ioText);
    if (status != 0) TraceFailure(col.failure);
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

void CQvkdcCnvColData::CnvSlctVal(const ColPlan& iCol, const int* iVal, std::string& ioText) {
    std::string_view text;
    if (iVal != nullptr && iCol.slct != nullptr && iCol.slct->FindSlctExName(*iVal, &text)) {
        ioText.append(text);
    }
}

int CQvkdcCnvColData::TellChoice(const ColPlan& iCol, int iCode) {
    if (mFacts == nullptr) return 0;
    const int choice = iCol.slct != nullptr ? iCol.slct->FindSlctVal(iCode) : -1;
    mFacts->choice = choice;
    mFacts->code = iCode;
    return choice >= 0 ? 0 : Tell(iCol.slct != nullptr ? CellReason::kNoChoice : CellReason::kNoChoices, iCode);
}

void CQvkdcCnvColData::InqPrm(int iKey, int& ioStatus, void*& oValue) {
    oValue = nullptr;
    int key = iKey;
    QvlbpPrcInqPrm(&datSP, &key, &oValue, &ioStatus);
}

int CQvkdcCnvColData::Failed(HostCall iCall, int iAnswer) {
    mFailure = HostCallFailure();
    mFailure.call = iCall;
    mFailure.answer = iAnswer;
    return -1;
}
