// CnvTblObserver: what the table steps of CQvkdcCnvTblCtrl read and decide,
// told while it happens: every row they take from a table, what each
// column, option title and choice is made of, and where and why a step
// stops.
//
// It is the one way the steps speak of their work. The export's observer
// is this class itself, which does nothing: the steps make the same host
// calls in the same order, trace the same lines and give the same results
// whoever observes them. A tool that explains tables observes a build to
// learn which rows (and lines) each part came from (examine/). Rows and
// texts handed to an observer are valid during the call only.
#ifndef QVKDC_TABLES_CNVTBLOBSERVER_H
#define QVKDC_TABLES_CNVTBLOBSERVER_H

#include <string>
#include <string_view>

#include "examine/CnvTblFiles.h"
#include "examine/Status.h"
#include "examine/TableTrails.h"

class CQvlbwStringArray;
class CQvlbwTableA;

class CnvTblObserver {
 public:
    virtual ~CnvTblObserver();

    // The step that reads next; nothing is being built yet.
    virtual void StepBegun(CnvTblStep step);
    // ImpCnvTbl read a table file that exists: ReadTable answered result. A
    // table never told of does not exist.
    virtual void TableRead(CnvTblIndex table, int result);
    // A walk of table delivered row, from reader; a walk of PlanCSVTable
    // defines the next column by it, one of ExteriorTable reads it as a
    // possible choice.
    virtual void RowWalked(CnvTblIndex table, const CQvlbwTableA& reader,
                           const CQvlbwStringArray& row);
    // A lookup of key in table answered result (1: row holds the row found).
    virtual void RowFound(CnvTblIndex table, const CQvlbwTableA& reader, std::string_view key,
                          int result, const CQvlbwStringArray& row);
    // SetTSetForm took the tool-set form from the VariableTable row it
    // found last (or found none, which leaves the form as it was).
    virtual void ToolSetFormTaken();
    // GetOptionCol opened the user option file, or could not, as opened
    // tells (not found: there is none).
    virtual void OptionFileOpened(const Status& opened);
    // The column build defines its next column by the title on line `line`
    // of the option file.
    virtual void DefinesByTitle(int line, std::string_view title);
    // What became of a title of the option file, when it gives no column.
    virtual void TitleFate(int line, std::string_view title, OptionFate fate, int other);
    // The column build added column `index` of flag colFlg from the rows it
    // took for it last.
    virtual void ColumnAdded(int index, CnvColFlg colFlg);
    // The choice of the ExteriorTable row walked last, "itemTitle:text":
    // filed under the column item colItName with value, or skipped for want
    // of an item row (colItName null).
    virtual void ChoiceTaken(std::string_view itemTitle, std::string_view text,
                             const std::string* colItName, int value);
    // A step stops, as stop tells: the steps give its kind, table, key,
    // line and (for a short row) the cells read; walked tells whether the
    // short row came from a walk. An observer completes the rest from the
    // rows it was told of.
    virtual void Stopped(const CnvTblStop& stop, bool walked);
};

#endif  // QVKDC_TABLES_CNVTBLOBSERVER_H
