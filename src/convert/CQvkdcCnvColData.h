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
// record; it owns nothing but its copy of the tool-set form.
#ifndef QVKDC_CONVERT_CQVKDCCNVCOLDATA_H
#define QVKDC_CONVERT_CQVKDCCNVCOLDATA_H

#include <cstdint>
#include <string>
#include <string_view>

#include "host/Qdgm.h"
#include "qvkdc/qvkdc.h"

class CQvkdcOutColRowMng;
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
    void SetSlctTbl(const CQvkdcSlctValTblMng* iSlctTbl);
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
    // selection table ("[ERR] : NULL ColTbl") or the process record
    // ("[ERR] : NULL datSP") is missing, or the converter's status when it
    // fails (its "[ERR] : Cnv..." line). Traced under id 577687, with the
    // result as "oOutStr" when tracing stays active.
    int CnvOutData(std::string& oOutStr);

    // How CnvOutData writes a column of item iItName: always empty (nothing
    // is read from the process), by a dedicated item converter, or as the
    // process parameter under the column's key (CnvPrcsVal). For tools that
    // check tables; the run does not ask.
    enum ItemConv { kItemConvEmpty, kItemConvDedicated, kItemConvParam };
    static ItemConv GetItemConv(std::string_view iItName);

 private:
    // An item converter: fills oText (handed over empty) for the column
    // whose item name is iItName; returns 0, or -1 with oText untouched.
    using Converter = int (CQvkdcCnvColData::*)(const std::string& iItName,
                                                std::string& oText);
    struct DispatchEntry;
    // Dispatch row of an item name, or null for a parameter value column.
    static const DispatchEntry* FindDispatch(std::string_view iItName);

    // Item converters (CQvkdcCnvColData_Items.cpp).
    int CnvPrcsNam(const std::string& iItName, std::string& oText);
    int CnvPlanNam(const std::string& iItName, std::string& oText);
    int CnvToolType1(const std::string& iItName, std::string& oText);
    int CnvToolCheck1(const std::string& iItName, std::string& oText);
    int CnvScanAgl(const std::string& iItName, std::string& oText);
    int CnvTlGrpNam(const std::string& iItName, std::string& oText);
    int CnvLCLPVal(const std::string& iItName, std::string& oText);

    // Parameter value under the column's key (CQvkdcCnvColData_PrcsVal.cpp).
    int CnvPrcsVal(const std::string& iItName, std::string& oText);
    // oText := a copy of iText (empty when null); for the comment item its
    // double-quote characters and commas become underscores.
    static void CnvStrVal(const std::string& iItName, const char* iText,
                          std::string& oText);

    // oText := the selection text of value *iVal under item iItName, empty
    // when iVal is null or the table has none.
    void CnvSlctVal(const std::string& iItName, const int* iVal,
                    std::string& oText) const;

    // Asks the host for parameter iKey of the current process: oValue is
    // set to null, then the host sets ioStatus and, unless it failed, points
    // oValue at its own value (or leaves it null when there is none).
    void InqPrm(int iKey, int& ioStatus, void*& oValue);

    ModelId PrcsId;
    const CQvkdcOutColRowMng* ColRow;
    const CQvkdcSlctValTblMng* SlctTbl;
    QdgmPrcsRec* datSP;
    std::string TSetForm;

    // Text a converter fills; reused from cell to cell so that converting a
    // row does not allocate once the texts have grown.
    std::string mWork;
};

#endif  // QVKDC_CONVERT_CQVKDCCNVCOLDATA_H
