#include "convert/PrcsTypeSet.h"

#include <gtest/gtest.h>

#include <set>

TEST(PrcsTypeSetA, MembersAreExactlyTheListedCodes) {
    const std::set<int> members = {2411, 2412, 2413, 2414, 2415, 2416, 2417,
                                   2419, 2420, 2421, 2422, 2437, 2438, 2441,
                                   2442, 2446, 2447, 2448, 2502};
    for (int code = 2400; code <= 2510; ++code) {
        EXPECT_EQ(IsPrcsTypeSetA(code), members.count(code) == 1) << code;
    }
    for (int code : {0, -2411, 2411 + 64, 1 << 30}) {
        EXPECT_FALSE(IsPrcsTypeSetA(code)) << code;
    }
}
