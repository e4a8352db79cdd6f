#include "model/IntIndex.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <map>
#include <vector>

namespace {

// Every sequence is filed in order and then looked up value by value,
// together with values next to each one, against the first position a map
// keeps.
TEST(IntIndex, FindsTheFirstPositionOfEveryValueCloseOrFarApart) {
    std::vector<std::vector<int>> sequences = {
        {},
        {7},
        {5, 5, 5},
        {2411, 2412, 2413, 2502, 2411, 2419},
        {0, -1, -2, -300, 1, 2},
        {INT_MIN, INT_MAX, 0, INT_MIN},
        {1, 1000000, 7, -5, 1000000},
    };
    std::vector<int> up, down, spread;
    for (int i = 0; i < 3000; ++i) {
        up.push_back(i);
        down.push_back(5000 - i);
        spread.push_back(i % 2 == 0 ? i : i * 7919);  // dense at first, then not
    }
    sequences.push_back(up);
    sequences.push_back(down);
    sequences.push_back(spread);

    for (const std::vector<int>& values : sequences) {
        IntIndex index;
        std::map<int, int> first;
        for (std::size_t i = 0; i < values.size(); ++i) {
            index.Add(values[i], static_cast<int>(i));
            first.emplace(values[i], static_cast<int>(i));
        }
        for (int v : values) {
            for (int64_t probe : {int64_t{v} - 1, int64_t{v}, int64_t{v} + 1}) {
                if (probe < INT_MIN || probe > INT_MAX) continue;
                const int p = static_cast<int>(probe);
                const auto it = first.find(p);
                EXPECT_EQ(index.Find(p), it != first.end() ? it->second : -1) << p;
            }
        }
    }
    EXPECT_EQ(IntIndex().Find(0), -1);
}

}  // namespace
