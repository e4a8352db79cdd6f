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
// item name and value type decide (its converter, the item's special rules,
// its selection row, how its value is written) is worked out once per column
// by PrepareCols for a run, and for every call of CnvOutData otherwise.
#ifndef QVKDC_CONVERT_CQVKDCCNVCOLDATA_H
#define QVKDC_CONVERT_CQVKDCCNVCOLDATA_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "inspect/ItemRules.h"
#include "host/Qdgm.h"
#include "qvkdc/qvkdc.h"

// The trace id of CnvOutData, the conversion of one value. A host that
// keeps only the notes of a run leaves it off: following every value costs
// as much as converting it.
inline constexpr int kCnvOutDataTraceId = 577687;

class CQvkdcOutColRowMng;
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

    // How CnvOutData writes a column of item iItName: always empty (nothing
    // is read from the process), by a dedicated item converter, or as the
    // process parameter under the column's key (CnvPrcsVal). For tools that
    // check tables; the run does not ask.
    enum ItemConv { kItemConvEmpty, kItemConvDedicated, kItemConvParam };
    static ItemConv GetItemConv(std::string_view iItName);
    // Every item name GetItemConv answers kItemConvEmpty or
    // kItemConvDedicated for, in byte order. For tools and tests that
    // list the special items.
    static std::vector<std::string_view> DispatchItemNames();

    // What CnvOutData does with a column of item iItName, key iPrmKey and
    // effective value type iValType, for tools that explain tables and
    // models. It is told from the same dispatch and item rules the
    // converters follow.
    struct ColumnUse {
        ItemConv conv = kItemConvParam;
        ItemRule rule = ItemRule::kPlain;
        // The host is asked for the value under the column's own key: a
        // parameter column whose key is not a "no parameter" key (but the
        // pitch item, whose key comes from the process type), and a local
        // coordinate column, whatever its key.
        bool asksOwnKey = false;
        // A parameter column whose key means "no parameter": the host is
        // never asked and its cells stay empty.
        bool keyMeansNone = false;
        // The key asked before the value (the local coordinate flag), or 0.
        int flagKey = 0;
        // How the value the host gives is written; kNone: no text (also for
        // columns that ask for no value).
        ValueForm form = ValueForm::kNone;
        // The text is a choice of the column's item (its selection row):
        // Select values, the tool type, the scan angle.
        bool choiceText = false;
        // The code every cell looks up (the scan angle: 0), or -1.
        int fixedCode = -1;
        // The text begins with the tool-set form (the tool check item).
        bool toolSetForm = false;
    };
    static ColumnUse DescribeCol(std::string_view iItName, int iPrmKey,
                                 int iValType);

 private:
    struct DispatchEntry;
    // What a column's item name and value type decide.
    struct ColPlan {
        const CQvkdcOutColRowMng* row = nullptr;
        const DispatchEntry* entry = nullptr;  // null: a parameter value
        ItemRule rule = ItemRule::kPlain;
        const CQvkdcSlctValRowMng* slct = nullptr;  // choices of the item
        // How a parameter value of the row's effective value type is written.
        ValueForm form = ValueForm::kNone;
    };
    // An item converter: appends the text of column iCol to ioText;
    // returns 0, or -1 (the caller then drops whatever was appended).
    using Converter = int (CQvkdcCnvColData::*)(const ColPlan& iCol,
                                                std::string& ioText);
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

    // Parameter value under the column's key (CQvkdcCnvColData_PrcsVal.cpp).
    int CnvPrcsVal(const ColPlan& iCol, std::string& ioText);
    // Appends the quoted text (AppendQuotedText) of iText, nothing when
    // null; for the comment item its double-quote characters and commas
    // become underscores first.
    static void CnvStrVal(const ColPlan& iCol, const char* iText,
                          std::string& ioText);

    // Appends the selection text of value *iVal among the column's choices;
    // nothing when iVal is null or there is none.
    static void CnvSlctVal(const ColPlan& iCol, const int* iVal,
                           std::string& ioText);

    // Asks the host for parameter iKey of the current process: oValue is
    // set to null, then the host sets ioStatus and, unless it failed, points
    // oValue at its own value (or leaves it null when there is none).
    void InqPrm(int iKey, int& ioStatus, void*& oValue);

    ModelId PrcsId;
    const CQvkdcOutColRowMng* ColRow;
    const CQvkdcSlctValTblMng* SlctTbl;
    QdgmPrcsRec* datSP;
    std::string TSetForm;

    // Texts converters fill; reused from cell to cell so that converting a
    // row does not allocate once the texts have grown.
    std::string mWork;
    std::string mScratch;

    // PrepareCols' plans in column order, the one expected next, and the
    // plan of the current row (null: worked out at each CnvOutData, into
    // mAdhoc).
    std::vector<ColPlan> mCols;
    std::size_t mNextCol = 0;
    const ColPlan* mCurCol = nullptr;
    ColPlan mAdhoc;
};

#endif  // QVKDC_CONVERT_CQVKDCCNVCOLDATA_H
