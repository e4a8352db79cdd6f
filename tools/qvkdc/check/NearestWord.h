// NearestWord: the known word a mistyped one most likely meant, for "did
// you mean" hints.
#ifndef QVKDC_TOOLS_CHECK_NEARESTWORD_H
#define QVKDC_TOOLS_CHECK_NEARESTWORD_H

#include <string>
#include <string_view>
#include <vector>

// The candidate closest to word by edit distance (EditDistance of
// Suggest.h), letter case ignored and surrounding white space dropped, when
// it is close enough to be a likely typo (at most a third of the word's
// length, and at least 1, edits); otherwise the empty text. Unlike the
// command line's Nearest, table titles are matched without regard to case.
std::string NearestWord(std::string_view word, const std::vector<std::string_view>& candidates);

#endif  // QVKDC_TOOLS_CHECK_NEARESTWORD_H
