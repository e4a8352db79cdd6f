#include "check/NearestWord.h"

#include <algorithm>
#include <cctype>

namespace {

std::string Folded(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n\v\f");
    if (first == std::string_view::npos) return std::string();
    text = text.substr(first, text.find_last_not_of(" \t\r\n\v\f") - first + 1);
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::size_t EditDistance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

std::string NearestWord(std::string_view word, const std::vector<std::string_view>& candidates) {
    const std::string folded = Folded(word);
    const std::size_t limit = std::max<std::size_t>(1, folded.size() / 3);
    std::string_view best;
    std::size_t bestDistance = limit + 1;
    for (std::string_view candidate : candidates) {
        const std::size_t d = EditDistance(folded, Folded(candidate));
        if (d < bestDistance) {
            best = candidate;
            bestDistance = d;
        }
    }
    return std::string(best);
}
