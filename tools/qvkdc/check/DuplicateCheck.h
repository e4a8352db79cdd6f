// DuplicateCheck: keys that more than one row of a table holds. The export's
// lookups find the first such row only, so the later ones never count. The
// rows are those the export's build read, looked up as it looks them up.
#ifndef QVKDC_TOOLS_CHECK_DUPLICATECHECK_H
#define QVKDC_TOOLS_CHECK_DUPLICATECHECK_H

#include <string_view>
#include <utility>
#include <vector>

#include "check/CheckContext.h"

class DuplicateCheck {
 public:
    explicit DuplicateCheck(const CheckContext& ctx) : ctx_(ctx) {}
    void Run();

 private:
    // Reports every row of table whose cell keyCol repeats an earlier row's,
    // with what the repeat does (effect).
    void CheckKey(CnvTblIndex table, int keyCol, const char* what, const char* effect);
    // The same for the item rows of ExteriorTable (its choice rows left out).
    void CheckItemKey(int keyCol, const char* what, const char* effect);
    // Reports each of keys (key, line), in order, that an earlier one holds.
    void TellRepeats(CnvTblIndex table, int keyCol, const std::vector<std::pair<std::string_view, int>>& keys,
                     const char* what, const char* effect);
    // Reports the row at line if the lookup of key in column keyCol of table
    // finds an earlier one.
    void CheckRow(CnvTblIndex table, int keyCol, const std::string& key, int line, const char* what,
                  const char* effect);

    const CheckContext& ctx_;
};

#endif  // QVKDC_TOOLS_CHECK_DUPLICATECHECK_H
