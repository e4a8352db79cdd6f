// CellCauses: why a cell of a plan's file changed, in the rows of the
// tables that made its value on each side: the ProcessParametersTable row
// that gives its parameter, the ParameterSettingTable row that gives its
// value type, the choice row of ExteriorTable and the SelectionToIntTable
// row that give its text; and for a cell now empty, why the library leaves
// it empty. A row is named when it differs from its counterpart on the
// other side; when none does (the old side was read from disk), the rows
// that made the new value are named.
#ifndef QVKDC_TOOLS_DIFF_CELLCAUSES_H
#define QVKDC_TOOLS_DIFF_CELLCAUSES_H

#include <string>
#include <vector>

#include "diff/SideTables.h"
#include "diff/PlanCsv.h"

enum class DiffSide { kOld, kNew };

// "old", "new".
const char* DiffSideName(DiffSide side);

struct DiffCause {
    DiffSide side = DiffSide::kNew;
    std::string file;  // the table file as shown: its side's root, then the path below it
    std::string path;  // ... and where it is, to read its line from
    int line = 0;
    // What the row changed, for the cells it changed alike ("changed the
    // text of code 3 of "Coolant""); "" for a row that made the new value.
    std::string what;
};

class CellCauses {
 public:
    // Where a side's tables are: the root as shown ("" or a folder ending
    // in "/") and the folder it stands for ("": the current one).
    struct Root {
        std::string shown;
        std::string folder;
    };
    // The tables of each side and their roots. old is null when the old
    // side was read from disk.
    // REQUIRES: the tables outlive the object.
    CellCauses(const SideTables* old, Root oldRoot, const SideTables& now, Root newRoot);

    // The causes of a change of the cell of column nc (origin no) from the
    // cell of column oc (origin oo: null from disk) into *causes, and into
    // *reason why the new cell is empty, when the library tells it.
    void Find(const FileColumn& oc, const CellOrigin* oo, const FileColumn& nc, const CellOrigin& no,
              std::vector<DiffCause>* causes, std::string* reason) const;

 private:
    void Add(DiffSide side, CnvTblIndex table, int line, const std::string& what,
             std::vector<DiffCause>* causes) const;
    void ChoiceCauses(const ExaminedColumn& o, const CellOrigin& oo, const ExaminedColumn& n, const CellOrigin& no,
                      std::vector<DiffCause>* causes) const;
    void MadeBy(const ExaminedColumn& n, const CellOrigin& no, std::vector<DiffCause>* causes) const;

    const SideTables* old_;
    const SideTables& now_;
    Root oldRoot_;
    Root newRoot_;
};

#endif  // QVKDC_TOOLS_DIFF_CELLCAUSES_H
