// OptionTitle: what counts of one line of the user option file.
#ifndef QVKDC_TABLES_OPTIONTITLE_H
#define QVKDC_TABLES_OPTIONTITLE_H

#include <string_view>

// The text of line before its first "#", without white space (blank, tab,
// CR, LF, VT, FF) at either end; empty when nothing is left. The view points
// into line.
std::string_view OptionTitle(std::string_view line);

#endif  // QVKDC_TABLES_OPTIONTITLE_H
