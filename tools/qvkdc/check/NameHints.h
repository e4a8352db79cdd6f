// NameHints: did-you-mean hints for names looked up in a long list, such as
// the items or titles of a table, where a table set may hold thousands of
// names and thousands of findings may each want a hint. A name that differs
// from a listed one only in letter case or in the blanks around it is found
// at once, by its folded form; the nearest name by edit distance
// (Suggest.h, the tables' rule) is searched for only for the first kScans
// words, so that the hints cost at most kScans passes over the list.
#ifndef QVKDC_TOOLS_CHECK_NAMEHINTS_H
#define QVKDC_TOOLS_CHECK_NAMEHINTS_H

#include <string>
#include <string_view>
#include <unordered_map>
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
    std::vector<std::string_view> names_;
    std::unordered_map<std::string, std::string_view> byForm_;  // folded, trimmed
    int scansLeft_ = kScans;
};

#endif  // QVKDC_TOOLS_CHECK_NAMEHINTS_H
