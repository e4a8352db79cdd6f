#include <gtest/gtest.h>

#include "host/TraceScope.h"

namespace {
const TraceRecord kRec = {577685, "::QvkdcCreOutputData"};
}

TEST(TraceScope, InactiveWhenMasterSwitchOff) {
    TraceScope scope(kRec);
    EXPECT_FALSE(scope.ActiveAtEntry());
}
