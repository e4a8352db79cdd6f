// Did-you-mean for the command line: the valid name nearest to a mistyped
// one.
#ifndef QVKDC_TOOLS_SUGGEST_H
#define QVKDC_TOOLS_SUGGEST_H

#include <string>
#include <string_view>
#include <vector>

// Edit distance of a and b, counting an insertion, a deletion, a change and
// a swap of two neighbouring characters as one edit each.
int EditDistance(std::string_view a, std::string_view b);
// EditDistance(a, b) when it is at most limit; otherwise a number above
// limit, found without working out the rest of the distance once every
// way on exceeds limit.
int EditDistanceWithin(std::string_view a, std::string_view b, int limit);

// The candidate nearest to word, or "" when none is close enough to be what
// was meant: at most two edits, and fewer edits than half of word's length.
// The first of equally near candidates wins.
std::string Nearest(std::string_view word, const std::vector<std::string>& candidates);

#endif  // QVKDC_TOOLS_SUGGEST_H
