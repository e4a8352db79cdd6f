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
// length, and at least 1, edits); otherwise the empty text. A candidate
// that ends in a parenthesised part, such as a unit ("Spindle speed
// (rpm)"), is also compared without it. Unlike the command line's Nearest,
// table titles are matched without regard to case.
//
// The cost is linear in the candidates' total length: a word longer than
// kNearestWordLongest characters gets no hint (no title or keyword is that
// long, so it is no typo of one), and candidates whose length is too far
// from the word's are passed over before any distance is computed.
inline constexpr std::size_t kNearestWordLongest = 64;
std::string NearestWord(std::string_view word, const std::vector<std::string_view>& candidates);

#endif  // QVKDC_TOOLS_CHECK_NEARESTWORD_H
