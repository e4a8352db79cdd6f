#include "check/NearestWord.h"

#include <algorithm>
#include <cctype>

#include "Suggest.h"
#include "model/TextTrim.h"

namespace {

std::string Folded(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// text without a trailing parenthesised part, or "" when it has none.
std::string_view WithoutParenthesis(std::string_view text) {
    if (text.empty() || text.back() != ')') return {};
    const std::size_t open = text.rfind('(');
    if (open == std::string_view::npos || open == 0) return {};
    return TrimSpace(text.substr(0, open));
}

}  // namespace

std::string NearestWord(std::string_view word, const std::vector<std::string_view>& candidates) {
    const std::string_view trimmed = TrimSpace(word);
    if (trimmed.empty() || trimmed.size() > kNearestWordLongest) return std::string();
    const std::string folded = Folded(trimmed);
    const int limit = std::max(1, static_cast<int>(folded.size() / 3));
    std::string_view best;
    int bestDistance = limit + 1;
    for (std::string_view candidate : candidates) {
        const std::string_view forms[] = {TrimSpace(candidate), WithoutParenthesis(TrimSpace(candidate))};
        for (std::string_view form : forms) {
            if (form.empty()) continue;
            const std::size_t gap = form.size() > folded.size() ? form.size() - folded.size()
                                                                : folded.size() - form.size();
            if (gap >= static_cast<std::size_t>(bestDistance)) continue;
            const int d = EditDistance(folded, Folded(form));
            if (d < bestDistance) {
                best = candidate;
                bestDistance = d;
            }
        }
    }
    return std::string(best);
}
