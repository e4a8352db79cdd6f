#include "check/NameHints.h"

#include <algorithm>
#include <cctype>

#include "cli/Suggest.h"
#include "check/TextForms.h"
#include "TextTrim.h"

namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// The hash of name's folded form: trimmed, in lower case (FNV-1a).
std::uint64_t FoldedHash(std::string_view name) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : TrimSpace(name)) {
        hash ^= static_cast<unsigned char>(Lower(c));
        hash *= 1099511628211ull;
    }
    return hash;
}

bool SameFold(std::string_view a, std::string_view b) {
    a = TrimSpace(a);
    b = TrimSpace(b);
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return Lower(x) == Lower(y);
           });
}

}  // namespace

void NameHints::Add(std::string_view name) {
    names_.push_back(name);
    indexed_ = false;
}

void NameHints::Index() {
    forms_.clear();
    byLength_.assign(kNearestLongest + 2, {});
    for (std::size_t i = 0; i < names_.size(); ++i) {
        const auto index = static_cast<std::uint32_t>(i);
        forms_.emplace_back(FoldedHash(names_[i]), index);
        const std::string_view whole = TrimSpace(names_[i]);
        const std::string_view part = WithoutParenthesis(whole);
        // Lengths beyond the longest word share the last bucket: no word
        // reaches them.
        const std::size_t last = byLength_.size() - 1;
        byLength_[std::min(whole.size(), last)].push_back(index);
        if (!part.empty() && std::min(part.size(), last) != std::min(whole.size(), last)) {
            byLength_[std::min(part.size(), last)].push_back(index);
        }
    }
    std::sort(forms_.begin(), forms_.end());
    indexed_ = true;
}

std::string_view NameHints::SameFolded(std::string_view word) const {
    const std::uint64_t hash = FoldedHash(word);
    auto it = std::lower_bound(forms_.begin(), forms_.end(), std::make_pair(hash, std::uint32_t{0}));
    for (; it != forms_.end() && it->first == hash; ++it) {
        if (SameFold(names_[it->second], word)) return names_[it->second];
    }
    return {};
}

std::string NameHints::Hint(std::string_view word) {
    if (!indexed_) Index();
    const std::string_view same = SameFolded(word);
    if (!same.empty() && same != word) return DidYouMean(word, same);
    if (scansLeft_ <= 0) return std::string();
    --scansLeft_;
    // The names of a length the rule's edits can reach, in their order, so
    // that the first of equally near ones is still the one hinted.
    const std::size_t length = TrimSpace(word).size();
    if (length == 0 || length > kNearestLongest) return std::string();
    const std::size_t edits = static_cast<std::size_t>(kTableRule.mostEdits(length));
    // Marked in a bitmap, then read back in order.
    picked_.assign((names_.size() + 63) / 64, 0);
    for (std::size_t n = length > edits ? length - edits : 0; n <= length + edits && n < byLength_.size(); ++n) {
        for (const std::uint32_t i : byLength_[n]) picked_[i / 64] |= std::uint64_t{1} << (i % 64);
    }
    window_.clear();
    for (std::size_t w = 0; w < picked_.size(); ++w) {
        for (std::size_t bit = 0; bit < 64 && picked_[w] >> bit != 0; ++bit) {
            if ((picked_[w] >> bit) & 1) window_.push_back(names_[w * 64 + bit]);
        }
    }
    return DidYouMean(word, Nearest(word, window_, kTableRule));
}
