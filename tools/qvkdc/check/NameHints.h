// NameHints: did-you-mean hints for names looked up in a long list, such as
// the items or titles of a table, where a table set may hold hundreds of
// thousands of names and thousands of findings may each want a hint. The
// list is indexed once, at the first hint: by folded form (letter case and
// the blanks around a name dropped), so that a name that differs from a
// listed one only so is found at once; and by length, so that the search
// for the nearest name by edit distance (Suggest.h, the tables' rule)
// looks only at names whose length is within the rule's edits of the
// word's. Searches are made for the first kScans words only.
#ifndef QVKDC_TOOLS_CHECK_NAMEHINTS_H
#define QVKDC_TOOLS_CHECK_NAMEHINTS_H

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class NameHints {
 public:
    static constexpr int kScans = 200;

    // Lists a name; the first of names with one folded form is hinted.
    // REQUIRES: name outlives the hints.
    void Add(std::string_view name);
    bool Empty() const { return names_.empty(); }
    // " (did you mean "NAME"?...)" (TextForms.h, DidYouMean) for the listed
    // name nearest to word; "" when none is near, or none is found without
    // a search once kScans searches were made.
    std::string Hint(std::string_view word);

 private:
    void Index();
    // The first listed name whose folded form is word's; "" when none.
    std::string_view SameFolded(std::string_view word) const;

    std::vector<std::string_view> names_;
    bool indexed_ = false;
    // (hash of the folded form, index of the name), sorted.
    std::vector<std::pair<std::uint64_t, std::uint32_t>> forms_;
    // By the length of a form the rule compares (trimmed, and without a
    // trailing parenthesis): the names, in their order.
    std::vector<std::vector<std::uint32_t>> byLength_;
    std::vector<std::uint64_t> picked_;       // the names of one search, a bit each, reused
    std::vector<std::string_view> window_;    // their views, reused
    int scansLeft_ = kScans;
};

#endif  // QVKDC_TOOLS_CHECK_NAMEHINTS_H
