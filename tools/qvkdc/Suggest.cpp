#include "Suggest.h"

#include <algorithm>
#include <limits>

int EditDistance(std::string_view a, std::string_view b) {
    return EditDistanceWithin(a, b, std::numeric_limits<int>::max() - 1);
}

int EditDistanceWithin(std::string_view a, std::string_view b, int limit) {
    const std::size_t n = a.size();
    const std::size_t m = b.size();
    // Three rows of the table: two back, one back, this one.
    std::vector<int> prev2(m + 1), prev(m + 1), cur(m + 1);
    for (std::size_t j = 0; j <= m; ++j) prev[j] = static_cast<int>(j);
    int prevLeast = 0;
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
        // Every later entry grows from one of the last two rows.
        if (least > limit && prevLeast > limit) return limit + 1;
        prevLeast = least;
        std::swap(prev2, prev);
        std::swap(prev, cur);
    }
    return prev[m];
}

std::string Nearest(std::string_view word, const std::vector<std::string>& candidates) {
    std::string best;
    int bestDistance = 3;
    for (const std::string& c : candidates) {
        const int d = EditDistance(word, c);
        if (d < bestDistance && 2 * d < static_cast<int>(word.size())) {
            best = c;
            bestDistance = d;
        }
    }
    return best;
}
