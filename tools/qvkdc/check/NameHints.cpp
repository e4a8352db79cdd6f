#include "check/NameHints.h"

#include <cctype>

#include "cli/Suggest.h"
#include "check/TextForms.h"
#include "TextTrim.h"

namespace {

// The form under which names that differ in letter case or surrounding
// blanks alone are one.
std::string Folded(std::string_view name) {
    std::string form(TrimSpace(name));
    for (char& c : form) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return form;
}

}  // namespace

void NameHints::Add(std::string_view name) {
    names_.push_back(name);
    byForm_.emplace(Folded(name), name);
}

std::string NameHints::Hint(std::string_view word) {
    const auto it = byForm_.find(Folded(word));
    if (it != byForm_.end() && it->second != word) return DidYouMean(word, it->second);
    if (scansLeft_ <= 0) return std::string();
    --scansLeft_;
    return DidYouMean(word, Nearest(word, names_, kTableRule));
}
