#include "cli/Suggest.h"

#include <algorithm>
#include <cctype>

#include "TextTrim.h"

int EditDistance(std::string_view a, std::string_view b) {
    // No distance exceeds the longer text's length: that bound cuts nothing.
    return EditDistanceWithin(a, b, static_cast<int>(std::max(a.size(), b.size())));
}

int EditDistanceWithin(std::string_view a, std::string_view b, int limit) {
    const std::size_t n = a.size();
    const std::size_t m = b.size();
    // Three rows of the table: two back, one back, this one.
    std::vector<int> prev2(m + 1), prev(m + 1), cur(m + 1);
    for (std::size_t j = 0; j <= m; ++j) prev[j] = static_cast<int>(j);
    for (std::size_t i = 1; i <= n; ++i) {
        cur[0] = static_cast<int>(i);
        int least = cur[0];
        for (std::size_t j = 1; j <= m; ++j) {
            const int change = a[i - 1] == b[j - 1] ? 0 : 1;
            int best = std::min({prev[j] + 1, cur[j - 1] + 1, prev[j - 1] + change});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                best = std::min(best, prev2[j - 2] + 1);
            }
            cur[j] = best;
            least = std::min(least, best);
        }
        // A later entry is one more than an entry of this row, or than one
        // of the row before by a swap of neighbours; that entry, at most
        // limit - 1, would have put one of this row within the limit too.
        // So once no entry of a row is within the limit, none later is.
        if (least > limit) return limit + 1;
        std::swap(prev2, prev);
        std::swap(prev, cur);
    }
    return prev[m];
}

namespace {

int CommandLineEdits(std::size_t n) { return static_cast<int>(std::min<std::size_t>(2, n > 0 ? (n - 1) / 2 : 0)); }

int TableEdits(std::size_t n) { return std::max(1, static_cast<int>(n / 3)); }

// text as the rule compares it, into *out.
void Form(std::string_view text, bool loose, std::string* out) {
    out->assign(text.data(), text.size());
    if (!loose) return;
    for (char& c : *out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// How far the letters of a text are from those of the word: each edit
// changes the count of at most two letters by one (a swap of neighbours
// none), so half the sum of the count differences is a lower bound of the
// edit distance, found in time linear in the text.
class LetterCounts {
 public:
    explicit LetterCounts(std::string_view word) : word_(word) {
        for (char c : word) ++delta_[static_cast<unsigned char>(c)];
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

const NearestRule kCommandLineRule = {false, false, &CommandLineEdits};
const NearestRule kTableRule = {true, true, &TableEdits};

std::string_view WithoutParenthesis(std::string_view text) {
    if (text.empty() || text.back() != ')') return {};
    const std::size_t open = text.rfind('(');
    if (open == std::string_view::npos || open == 0) return {};
    return TrimSpace(text.substr(0, open));
}

std::string Nearest(std::string_view word, const std::vector<std::string_view>& candidates,
                    const NearestRule& rule) {
    const std::string_view given = rule.loose ? TrimSpace(word) : word;
    if (given.empty() || given.size() > kNearestLongest) return std::string();
    std::string formed;
    Form(given, rule.loose, &formed);
    std::string form;  // a candidate's form
    LetterCounts letters(formed);
    std::string_view best;
    int bestDistance = rule.mostEdits(formed.size()) + 1;
    for (std::string_view candidate : candidates) {
        const std::string_view whole = rule.loose ? TrimSpace(candidate) : candidate;
        const std::string_view forms[] = {whole, rule.withoutParenthesis ? WithoutParenthesis(whole)
                                                                         : std::string_view()};
        for (std::string_view shown : forms) {
            if (shown.empty()) continue;
            const std::size_t gap = shown.size() > formed.size() ? shown.size() - formed.size()
                                                                 : formed.size() - shown.size();
            if (gap >= static_cast<std::size_t>(bestDistance)) continue;
            Form(shown, rule.loose, &form);
            if (letters.LeastDistance(form) >= bestDistance) continue;
            const int d = EditDistanceWithin(formed, form, bestDistance - 1);
            if (d < bestDistance) {
                best = candidate;
                bestDistance = d;
            }
        }
    }
    return std::string(best);
}

std::vector<std::string_view> Views(const std::vector<std::string>& names) {
    return std::vector<std::string_view>(names.begin(), names.end());
}
