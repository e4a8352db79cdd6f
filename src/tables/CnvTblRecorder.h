// CnvTblRecorder: the recording reader of the table steps, for a build that
// is observed (qvkdc check).
//
// It reads as the export's reader does, the same host calls in the same
// order, and keeps a copy of the row each read delivered: the last row
// walked and the last row found in each table, with the line the observer
// tells for it (CnvTblObserver::RowLine) and the key it was found by. From
// those rows and what the steps tell it, it tells the observer of every
// table read, column, option title, choice and stop. What was being built
// when a step stops is the definition read last: the PlanCSVTable row or
// option title of a column (CreColTbl), the choice row (CreSlctTbl), or
// nothing (ImpCnvTbl, SetTSetForm).
#ifndef QVKDC_TABLES_CNVTBLRECORDER_H
#define QVKDC_TABLES_CNVTBLRECORDER_H

#include <string>
#include <string_view>

#include "tables/CnvTblObserver.h"
#include "tables/CnvTblReader.h"

class CQvkdcOutColTblMng;
class CQvkdcSlctValTblMng;

class CnvTblRecorder : public CnvTblReader {
 public:
    // The tables are those the steps build (for the index of a new column
    // and the row a choice was filed in).
    // REQUIRES: the readers, the observer and both tables outlive the
    // recorder.
    CnvTblRecorder(const CnvTblReaders& readers, CnvTblObserver& observer,
                   const CQvkdcOutColTblMng& colTbl, const CQvkdcSlctValTblMng& slctTbl);
    ~CnvTblRecorder() override;

    int ReadTable(CnvTblIndex table, const char* path) override;
    int FindRow(CnvTblIndex table, int keyCol, const std::string& key,
                CQvlbwStringArray* row) override;
    int GetNextRow(CnvTblIndex table, CQvlbwStringArray* row) override;

    void BeginStep(const char* step) override;
    void TookToolSetForm() override;
    void DefinesByTitle(int line, std::string_view title) override;
    void TitleFate(const CnvOptionTrail& title) override;
    void AddedColumn(int colFlg) override;
    void TookChoice(std::string_view itemTitle, std::string_view text,
                    const std::string* colItName, int value) override;
    void Stopped(CnvTblStop* stop, bool walked) override;

 private:
    // Copies row into *into, with its line when it was delivered (found).
    void Record(CnvTblRow* into, CnvTblIndex table, const CQvlbwStringArray& row,
                bool walked, bool found);
    // What is being built from here on: the definition context of a column
    // of flag colFlg (1 or 2), or of a choice (0).
    void Defining(const CnvTblRow* context, int colFlg);

    CnvTblObserver& observer_;
    const CQvkdcOutColTblMng& colTbl_;
    const CQvkdcSlctValTblMng& slctTbl_;
    CnvTblRow walked_[kCnvTblFileCount];
    CnvTblRow found_[kCnvTblFileCount];
    std::string foundKey_[kCnvTblFileCount];
    CnvTblRow titleDef_;  // an option title as the definition of a column
    const char* step_ = "";
    const CnvTblRow* context_ = nullptr;
    int colFlg_ = 0;
    CnvColTrail column_;  // the column told last; its rows keep their storage
};

#endif  // QVKDC_TABLES_CNVTBLRECORDER_H
