// CheckContext: what every table check reads and where it reports.
#ifndef QVKDC_TOOLS_CHECK_CHECKCONTEXT_H
#define QVKDC_TOOLS_CHECK_CHECKCONTEXT_H

#include "check/CheckInputs.h"
#include "check/ColumnPlan.h"
#include "check/FindingList.h"
#include "check/SelectionPlan.h"

struct CheckContext {
    const CheckInputs& in;
    const ColumnPlan& columns;
    const SelectionPlan& choices;
    FindingList& out;
};

#endif  // QVKDC_TOOLS_CHECK_CHECKCONTEXT_H
