// ChoiceCheck: findings about the choice rows of ExteriorTable and their
// values in SelectionToIntTable that the selection build takes without
// stopping: choices it skips, values it reads wrongly, choices that another
// of their column shadows by its value, and choice texts that break the CSV
// line.
#ifndef QVKDC_TOOLS_CHECK_CHOICECHECK_H
#define QVKDC_TOOLS_CHECK_CHOICECHECK_H

#include "check/CheckContext.h"

class ChoiceCheck {
 public:
    explicit ChoiceCheck(const CheckContext& ctx) : ctx_(ctx) {}
    void Run();

 private:
    // The choices of a column that come after one of the same value: the
    // export writes the first one's text for it, never theirs.
    void CheckShadowed();
    // The rows of SelectionToIntTable that no choice row names: their value
    // is never written.
    void CheckUnusedValues();

    const CheckContext& ctx_;
};

#endif  // QVKDC_TOOLS_CHECK_CHOICECHECK_H
