// The failures the library traces, as a tool that follows a call in process
// hears of them: the step and its whole line, whether tracing is on or not.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/FailureTrace.h"
#include "host/TraceScope.h"
#include "examine/CnvTblFiles.h"
#include "support/HostFixture.h"
#include "tables/ShortRowLine.h"

namespace {

class Heard : public FailureListener {
 public:
    void Failed(FailStep step, std::string_view line) override { notes.push_back({step, std::string(line)}); }
    std::vector<FailureNote> notes;
};

using FailureTraceTest = HostTest;

TEST_F(FailureTraceTest, EveryFailureIsHeardWithItsLineAndStatus) {
    for (const bool tracing : {false, true}) {
        QvsimTraceClear();
        QvsimTraceAll(tracing ? 1 : 0, 1);
        Heard heard;
        {
            static const TraceRecord kRecord = {1, "test"};
            const TraceScope frame(kRecord);
            const ScopedFailureListener listening(&heard);
            EXPECT_EQ(TraceFailure(FailStep::kFileOpen), kFailureStatus);
            std::string line;
            AppendShortRowLine(3, kPlanCSVTableFile, "lonely", &line);
            EXPECT_EQ(TraceFailureLine(FailStep::kShortRow, line), kFailureStatus);
        }
        TraceFailure(FailStep::kImpCnvTbl);  // nobody listens any more
        ASSERT_EQ(heard.notes.size(), 2u);
        EXPECT_EQ(heard.notes[0].step, FailStep::kFileOpen);
        EXPECT_EQ(heard.notes[0].line, "[ERR] : File Open");
        EXPECT_EQ(heard.notes[0].Note(), "File Open");
        EXPECT_EQ(heard.notes[1].step, FailStep::kShortRow);
        EXPECT_EQ(heard.notes[1].line, "[ERR] : Short row 3 in PlanCSVTable: lonely");
        EXPECT_EQ(std::string(QvsimTraceText()).find("[ERR] : File Open") != std::string::npos, tracing);
        QvsimTraceAll(0, 0);
    }
}

// A short row found by its key has no number.
TEST(ShortRowLine, FoundRowsHaveNoNumber) {
    std::string line;
    AppendShortRowLine(0, kSelectionToIntTableFile, "", &line);
    EXPECT_EQ(line, "[ERR] : Short row in SelectionToIntTable: ");
}

}  // namespace
