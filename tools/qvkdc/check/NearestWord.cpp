#include "check/NearestWord.h"

#include <algorithm>
#include <cctype>

#include "Suggest.h"
#include "model/TextTrim.h"

namespace {

// text in lower case, into *out.
void Fold(std::string_view text, std::string* out) {
    out->assign(text.data(), text.size());
    for (char& c : *out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// text without a trailing parenthesised part, or "" when it has none.
std::string_view WithoutParenthesis(std::string_view text) {
    if (text.empty() || text.back() != ')') return {};
    const std::size_t open = text.rfind('(');
    if (open == std::string_view::npos || open == 0) return {};
    return TrimSpace(text.substr(0, open));
}

// How far the letters of a text are from those of the word: each edit
// changes the count of at most two letters by one (a swap of neighbours
// none), so half the sum of the count differences is a lower bound of the
// edit distance, found in time linear in the text.
class LetterCounts {
 public:
    explicit LetterCounts(std::string_view word) {
        for (char c : word) ++delta_[static_cast<unsigned char>(c)];
        word_ = word;
    }

    int LeastDistance(std::string_view text) {
        for (char c : text) --delta_[static_cast<unsigned char>(c)];
        int sum = 0;
        for (std::string_view side : {word_, text}) {
            for (char c : side) {
                const auto u = static_cast<unsigned char>(c);
                if (seen_[u]) continue;
                seen_[u] = true;
                sum += delta_[u] < 0 ? -delta_[u] : delta_[u];
            }
        }
        for (char c : text) ++delta_[static_cast<unsigned char>(c)];
        for (std::string_view side : {word_, text}) {
            for (char c : side) seen_[static_cast<unsigned char>(c)] = false;
        }
        return (sum + 1) / 2;
    }

 private:
    std::string_view word_;
    int delta_[256] = {};  // the word's counts less the text's
    bool seen_[256] = {};
};

}  // namespace

std::string NearestWord(std::string_view word, const std::vector<std::string_view>& candidates) {
    const std::string_view trimmed = TrimSpace(word);
    if (trimmed.empty() || trimmed.size() > kNearestWordLongest) return std::string();
    std::string folded;
    Fold(trimmed, &folded);
    std::string form;  // a candidate's form, folded
    LetterCounts letters(folded);
    const int limit = std::max(1, static_cast<int>(folded.size() / 3));
    std::string_view best;
    int bestDistance = limit + 1;
    for (std::string_view candidate : candidates) {
        const std::string_view forms[] = {TrimSpace(candidate), WithoutParenthesis(TrimSpace(candidate))};
        for (std::string_view given : forms) {
            if (given.empty()) continue;
            const std::size_t gap = given.size() > folded.size() ? given.size() - folded.size()
                                                                 : folded.size() - given.size();
            if (gap >= static_cast<std::size_t>(bestDistance)) continue;
            Fold(given, &form);
            if (letters.LeastDistance(form) >= bestDistance) continue;
            const int d = EditDistanceWithin(folded, form, bestDistance - 1);
            if (d < bestDistance) {
                best = candidate;
                bestDistance = d;
            }
        }
    }
    return std::string(best);
}
