// ChoiceCheck: findings about the choice rows of ExteriorTable and their
// values in SelectionToIntTable: choices the selection build stops at,
// skips or reads wrongly, and choice texts that break the CSV line.
#ifndef QVKDC_TOOLS_CHECK_CHOICECHECK_H
#define QVKDC_TOOLS_CHECK_CHOICECHECK_H

#include "check/CheckContext.h"

class ChoiceCheck {
 public:
    explicit ChoiceCheck(const CheckContext& ctx) : ctx_(ctx) {}
    void Run();

 private:
    // False when the export stops at this choice or skips it.
    bool CheckRows(const ChoiceSpec& c, bool* missingReported);
    void CheckValue(const ChoiceSpec& c);

    const CheckContext& ctx_;
};

#endif  // QVKDC_TOOLS_CHECK_CHOICECHECK_H
