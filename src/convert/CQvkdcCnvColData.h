// CQvkdcCnvColData: the process converter of an output run.
//
// Turns the current process into the texts of its CSV row, one column at a
// time. The run points it once at the selection table and the tool-set
// form, then at each process (id and record) and each column row in turn,
// and asks CnvOutData for the column's text. Which text a column gets is
// decided by the column's item name alone: a few names always give an empty
// text, eight go to dedicated item converters, every other name is the
// process parameter under the column's parameter key, written by the
// column's value type.
//
// The converter borrows the column row, the selection table and the process
// record; it owns nothing but its copy of the tool-set form. What a column's
// item name, key and value type decide (its converter, the item's special
// rules, its selection row, how its value is written: its ColumnUse, from
// DescribeColumn) is worked out once per column by PrepareCols for a run,
// and for every call of CnvOutData otherwise. It is the one place that
// decides what a cell holds and why: asked to (SetCellFacts), it tells for
// each cell the reason it is empty, the key it asked and the choice that
// gave its text; and after a failure, the host call that failed.
#ifndef QVKDC_CONVERT_CQVKDCCNVCOLDATA_H
#define QVKDC_CONVERT_CQVKDCCNVCOLDATA_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/Qdgm.h"
#include "examine/CellFacts.h"
#include "examine/ColumnUse.h"
#include "examine/FailurePoints.h"
#include "examine/HostCallId.h"
#include "examine/TraceIds.h"
#include "examine/ValueText.h"
#include "model/CQvkdcOutColRowMng.h"
#include "qvkdc/qvkdc.h"

class CQvkdcOutColTblMng;
class CQvkdcSlctValRowMng;
class CQvkdcSlctValTblMng;

class CQvkdcCnvColData {
 public:
    // PrcsId all 0, tool-set form empty, no column row, selection table or
    // process record.
    CQvkdcCnvColData();
    virtual ~CQvkdcCnvColData();
    CQvkdcCnvColData(const CQvkdcCnvColData&) = delete;
    CQvkdcCnvColData& operator=(const CQvkdcCnvColData&) = delete;

    // Copies the four ints objid, aplsec, insid, entid of the current
    // process, in this order.
    // REQUIRES: iPrcsId points to four ints.
    void SetPrcsId(const int32_t* iPrcsId);
    void SetPrcsId(const ModelId& iPrcsId);
    // REQUIRES: the row outlives its use by CnvOutData (not owned).
    void SetColRow(const CQvkdcOutColRowMng* iColRow);
    // REQUIRES: the table outlives its use by CnvOutData (not owned).
    // Drops what PrepareCols worked out.
    void SetSlctTbl(const CQvkdcSlctValTblMng* iSlctTbl);
    // Works out for every column of iColTbl what its item name decides, so
    // that CnvOutData does not for each cell. Columns are then best set in
    // table order; a row that is not the next one (or not of the table) is
    // worked out at each CnvOutData as without PrepareCols.
    // REQUIRES: SetSlctTbl was called; the table, its rows' item names and
    // value types and the selection table stay unchanged until the next
    // SetSlctTbl.
    void PrepareCols(const CQvkdcOutColTblMng& iColTbl);
    // Record of the current process as the model database gave it.
    // REQUIRES: the record stays valid until the next SetPrcsDat (the run
    // frees it; the converter never does).
    void SetPrcsDat(QdgmPrcsRec* iDatSP);
    // Copies the tool-set form that prefixes the tool check text.
    void SetTSetFormTxt(std::string_view iTSetForm);

    const ModelId& GetPrcsId() const { return PrcsId; }
    const CQvkdcOutColRowMng* GetColRow() const { return ColRow; }
    const CQvkdcSlctValTblMng* GetSlctTbl() const { return SlctTbl; }
    const QdgmPrcsRec* GetPrcsDat() const { return datSP; }
    const std::string& GetTSetFormTxt() const { return TSetForm; }

    // Text of the current column for the current process.
    // Returns 0 with oOutStr replaced by the column's text, or a negative
    // status with oOutStr left as it was: -1 when the column row or the
    // selection table (FailStep::kNullColTbl) or the process record
    // (kNullDatSP) is missing, or the converter's status when it fails (its
    // own failure, kCnvPrcsVal and the like). Traced under
    // kCnvOutDataTraceId, with the result as "oOutStr" when tracing stays
    // active.
    int CnvOutData(std::string& oOutStr);
    // The same, with the column's text appended to ioRow instead (ioRow is
    // left as it was on failure); the trace shows the appended text as
    // "oOutStr", or the empty text on failure.
    int CnvOutDataAppend(std::string& ioRow);

    // Makes every later CnvOutData tell what it did for its cell in
    // *oFacts (null: tell nothing, as for the export). It sets what it
    // tells and leaves the rest: the caller clears *oFacts (CellFacts())
    // before each cell, which costs the export nothing.
    // REQUIRES: oFacts outlives its use.
    void SetCellFacts(CellFacts* oFacts) { mFacts = oFacts; }
    // The host call that made the last failed CnvOutData fail (kNone when
    // its step failed without a host call).
    const HostCallFailure& GetLastFailure() const { return mFailure; }

 private:
    friend ColumnUse DescribeColumn(std::string_view itName, int prmKey, int valType);
    friend std::vector<std::string_view> DispatchItemNames();

    struct DispatchEntry;
    struct ColPlan;
    // An item converter: appends the text of column iCol to ioText;
    // returns 0, or -1 (the caller then drops whatever was appended).
    using Converter = int (CQvkdcCnvColData::*)(const ColPlan& iCol,
                                                std::string& ioText);
    // What a column's item name, key and value type decide.
    struct ColPlan {
        const CQvkdcOutColRowMng* row = nullptr;
        // The converter of the column's cells (the parameter value's for a
        // parameter column); null: the cells stay empty.
        Converter conv = nullptr;
        FailStep failure = FailStep::kNone;  // traced when conv fails
        const CQvkdcSlctValRowMng* slct = nullptr;  // choices of the item
        ColumnUse use;
    };
    // The dispatch table, sorted by item name; *oCount gets its length.
    static const DispatchEntry* DispatchTable(std::size_t* oCount);
    // Dispatch row of an item name, or null for a parameter value column.
    static const DispatchEntry* FindDispatch(std::string_view iItName);
    // The plan of row iRow under the current selection table.
    void PlanCol(const CQvkdcOutColRowMng* iRow, ColPlan* oPlan) const;
    // The plan of the current column row.
    const ColPlan& CurrentCol();
    // Appends the text of the current column to ioText (nothing for an
    // always empty column). Returns 0, or the failed converter's status
    // after its "[ERR] : " line.
    int ConvertCol(std::string& ioText);

    // Item converters (CQvkdcCnvColData_Items.cpp).
    int CnvPrcsNam(const ColPlan& iCol, std::string& ioText);
    int CnvPlanNam(const ColPlan& iCol, std::string& ioText);
    int CnvToolType1(const ColPlan& iCol, std::string& ioText);
    int CnvToolCheck1(const ColPlan& iCol, std::string& ioText);
    int CnvScanAgl(const ColPlan& iCol, std::string& ioText);
    int CnvTlGrpNam(const ColPlan& iCol, std::string& ioText);
    int CnvLCLPVal(const ColPlan& iCol, std::string& ioText);

    // Parameter value under the column's key (CQvkdcCnvColData_PrcsVal.cpp),
    // by PrcsVal<true> when the cell's facts are told, else PrcsVal<false>:
    // one rule, and nothing of the telling in the export's way.
    int CnvPrcsVal(const ColPlan& iCol, std::string& ioText);
    template <bool kTell>
    int PrcsVal(const ColPlan& iCol, std::string& ioText);
    // The key a parameter column's value is asked under: the column's own,
    // or for the pitch item one by the process type.
    int ValueKey(const ColPlan& iCol) const {
        return iCol.use.rule == ItemRule::kPitch ? PitchPrmKey(datSP->nctyp) : ColRow->GetPrmKey();
    }
    // Keeps the failed ask of the column's value for GetLastFailure.
    // Returns -1.
    int ValueFailed(const ColPlan& iCol, int iStatus);
    // Appends the quoted text (AppendQuotedText) of iText, nothing when
    // null; for the comment item its double-quote characters and commas
    // become underscores first.
    static void CnvStrVal(const ColPlan& iCol, const char* iText,
                          std::string& ioText);

    // Appends the selection text of value *iVal among the column's choices;
    // nothing when iVal is null or there is none.
    static void CnvSlctVal(const ColPlan& iCol, const int* iVal, std::string& ioText);
    // Tells, when asked to, the choice among the column's choices whose
    // text the code iCode gives, or why there is none. Returns 0.
    int TellChoice(const ColPlan& iCol, int iCode);
    // Appends the value the host gave for the column, as its use's form
    // writes it.
    void AppendValue(const ColPlan& iCol, const void* iValue, std::string& ioText) {
        switch (iCol.use.form) {
            case ValueForm::kInt:
                AppendIntVal(static_cast<const int*>(iValue), ioText);
                break;
            case ValueForm::kReal:
                AppendRealVal(static_cast<const double*>(iValue), ioText);
                break;
            case ValueForm::kText:
                CnvStrVal(iCol, static_cast<const char*>(iValue), ioText);
                break;
            case ValueForm::kSelect:
                CnvSlctVal(iCol, static_cast<const int*>(iValue), ioText);
                break;
            case ValueForm::kNone:
                break;
        }
    }
    // AppendValue, telling the cell's facts.
    void AppendValueTold(const ColPlan& iCol, const void* iValue, std::string& ioText);

    // Tells the cell's facts, when asked to (SetCellFacts). Returns 0, so
    // that a converter can end with it.
    int Tell(CellReason iReason, int iCode = 0) {
        if (mFacts != nullptr) {
            mFacts->reason = iReason;
            mFacts->code = iCode;
        }
        return 0;
    }
    // Keeps the failed host call for GetLastFailure. Returns -1.
    int Failed(HostCall iCall, int iAnswer);

    // Asks the host for parameter iKey of the current process: oValue is
    // set to null, then the host sets ioStatus and, unless it failed, points
    // oValue at its own value (or leaves it null when there is none).
    void InqPrm(int iKey, int& ioStatus, void*& oValue);
    // InqPrm for the value of the column: tells the key and whether a
    // value came.
    void InqValue(int iKey, int& ioStatus, void*& oValue) {
        InqPrm(iKey, ioStatus, oValue);
        if (mFacts != nullptr) {
            mFacts->key = iKey;
            mFacts->valueGiven = oValue != nullptr;
        }
    }

    ModelId PrcsId;
    const CQvkdcOutColRowMng* ColRow;
    const CQvkdcSlctValTblMng* SlctTbl;
    QdgmPrcsRec* datSP;
    std::string TSetForm;

    // Texts converters fill; reused from cell to cell so that converting a
    // row does not allocate once the texts have grown.
    std::string mWork;
    std::string mScratch;

    CellFacts* mFacts = nullptr;
    HostCallFailure mFailure;

    // PrepareCols' plans in column order, the one expected next, and the
    // plan of the current row (null: worked out at each CnvOutData, into
    // mAdhoc).
    std::vector<ColPlan> mCols;
    std::size_t mNextCol = 0;
    const ColPlan* mCurCol = nullptr;
    ColPlan mAdhoc;
};

#endif  // QVKDC_CONVERT_CQVKDCCNVCOLDATA_H
