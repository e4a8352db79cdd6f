#include "check/NearestWord.h"

#include <algorithm>
#include <cctype>

#include "Suggest.h"
#include "model/TextTrim.h"

namespace {

std::string Folded(std::string_view text) {
    std::string out(TrimSpace(text));
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

std::string NearestWord(std::string_view word, const std::vector<std::string_view>& candidates) {
    const std::string folded = Folded(word);
    const int limit = std::max(1, static_cast<int>(folded.size() / 3));
    std::string_view best;
    int bestDistance = limit + 1;
    for (std::string_view candidate : candidates) {
        const int d = EditDistance(folded, Folded(candidate));
        if (d < bestDistance) {
            best = candidate;
            bestDistance = d;
        }
    }
    return std::string(best);
}
