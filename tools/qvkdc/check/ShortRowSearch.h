// ShortRowSearch: every short row the export's table steps meet, not only
// the first. The steps stop at the first row with fewer cells than they
// read; so while the last run stopped at one, the steps run again, on the
// same table files with that row padded with empty cells (served to the
// table reader from memory, nothing is written), and meet the next one
// where the export would once the earlier ones are mended.
#ifndef QVKDC_TOOLS_CHECK_SHORTROWSEARCH_H
#define QVKDC_TOOLS_CHECK_SHORTROWSEARCH_H

#include <cstddef>
#include <string>

#include "check/TableBuild.h"

class ShortRowSearch {
 public:
    // At most this many runs: the short rows beyond are told by a later
    // check, once these are mended.
    static constexpr int kMostRuns = 20;

    // REQUIRES: build ran on the table files under the current directory,
    // and outlives the search.
    explicit ShortRowSearch(TableBuild& build) : build_(build) {}
    ShortRowSearch(const ShortRowSearch&) = delete;
    ShortRowSearch& operator=(const ShortRowSearch&) = delete;

    // Adds to build each further short row (TableBuild::AddLaterStop).
    void Run();

 private:
    // The table source of the stand-in's reader while the steps run again.
    static int Serve(void* context, const char* path, const char** data, std::size_t* size);
    // Pads the short row of stop in the bytes of its table. False when it
    // cannot be told where the row ends (a cell holds a line break) or the
    // file cannot be read.
    bool Mend(const CnvTblStop& stop);
    // Reads the file of table into *bytes. False when it cannot.
    bool Load(int table, std::string* bytes) const;

    TableBuild& build_;
    std::string native_[kCnvTblFileCount];   // the path the reader is given
    std::string mended_[kCnvTblFileCount];   // the bytes of a mended table
    bool isMended_[kCnvTblFileCount] = {};
    std::string served_;  // the bytes of an unmended table, while it is read
};

#endif  // QVKDC_TOOLS_CHECK_SHORTROWSEARCH_H
