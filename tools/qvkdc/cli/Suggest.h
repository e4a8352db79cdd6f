// Suggest: did you mean: the known name nearest to a mistyped one. One
// search with two rules: the command line's (its commands and options,
// compared exactly) and the tables' (keywords, titles and item names, where
// letter case and blanks around a name are the likeliest slips).
#ifndef QVKDC_TOOLS_CLI_SUGGEST_H
#define QVKDC_TOOLS_CLI_SUGGEST_H

#include <cstddef>
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

// How near a candidate must be to count as what was meant.
struct NearestRule {
    // Letter case is ignored, and white space around the word and the
    // candidates is dropped.
    bool loose = false;
    // A candidate that ends in a parenthesised part, such as a unit
    // ("Spindle speed (rpm)"), is also compared without it.
    bool withoutParenthesis = false;
    // The most edits a slip in a word of n characters (as compared) makes.
    int (*mostEdits)(std::size_t n) = nullptr;
};

// The command line: exact, at most two edits and fewer than half of the
// word's length.
extern const NearestRule kCommandLineRule;
// The tables: letter case and surrounding blanks ignored, units dropped, at
// most a third of the word's length in edits (and at least one).
extern const NearestRule kTableRule;

// The candidate nearest to word by the rule, the first of equally near
// ones, or "" when none is near enough.
//
// The cost is linear in the candidates' total length: a word longer than
// kNearestLongest characters gets none (no name or title is that long, so
// it is no slip of one), and candidates whose length or letters are too
// far from the word's are passed over before any distance is computed.
inline constexpr std::size_t kNearestLongest = 64;
std::string Nearest(std::string_view word, const std::vector<std::string_view>& candidates,
                    const NearestRule& rule);

// text without a trailing parenthesised part ("Spindle speed" for "Spindle
// speed (rpm)"), or "" when it has none: the rule's withoutParenthesis.
std::string_view WithoutParenthesis(std::string_view text);

// Views of names, for Nearest. REQUIRES: names outlive the views.
std::vector<std::string_view> Views(const std::vector<std::string>& names);

#endif  // QVKDC_TOOLS_CLI_SUGGEST_H
