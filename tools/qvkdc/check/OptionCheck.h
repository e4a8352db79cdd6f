// OptionCheck: findings about the titles of the user option file that add
// no column: unknown, repeated, or already a PlanCSVTable column's title.
#ifndef QVKDC_TOOLS_CHECK_OPTIONCHECK_H
#define QVKDC_TOOLS_CHECK_OPTIONCHECK_H

#include "check/CheckContext.h"

class OptionCheck {
 public:
    explicit OptionCheck(const CheckContext& ctx) : ctx_(ctx) {}
    void Run();

 private:
    const CheckContext& ctx_;
};

#endif  // QVKDC_TOOLS_CHECK_OPTIONCHECK_H
