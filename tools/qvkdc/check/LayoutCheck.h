// LayoutCheck: mistakes in how the tables are written that the export
// turns into several wrong cells and titles at once, each of which the other
// checks would tell as a finding of its own: a heading row, a ":" in a
// title, an item that no table knows. Each is told once, by what it is,
// and the findings that merely follow from it are muted (FindingList).
// It runs before the checks whose findings it mutes.
#ifndef QVKDC_TOOLS_CHECK_LAYOUTCHECK_H
#define QVKDC_TOOLS_CHECK_LAYOUTCHECK_H

#include <string>

#include "check/CheckContext.h"
#include "check/NameHints.h"

class LayoutCheck {
 public:
    explicit LayoutCheck(const CheckContext& ctx) : ctx_(ctx) {}
    void Run();

 private:
    // The first PlanCSVTable row, when it reads as a heading row: the
    // column of its item reaches no row of the other tables but their own
    // heading rows, and its texts are words where the tables hold numbers
    // and keywords. Its column is the first.
    bool FirstRowIsHeading();
    void CheckHeadingRow();
    // Choice rows that belong to no item: a title holding ":" when the row
    // names the item of a column, else a heading row when it is the first.
    void CheckOrphanChoices();
    // Columns whose item has no row in ExteriorTable,
    // ProcessParametersTable or ParameterSettingTable (a heading row's
    // column is muted: it is told as that).
    void CheckUnknownItems();
    // Did-you-mean among the items the tables and the library know.
    std::string ItemHint(const std::string& item);

    const CheckContext& ctx_;
    NameHints known_;
};

#endif  // QVKDC_TOOLS_CHECK_LAYOUTCHECK_H
