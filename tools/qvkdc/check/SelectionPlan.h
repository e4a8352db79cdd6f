// SelectionPlan: the choices as the export files them from the choice rows
// of ExteriorTable ("item title:choice text") and the values of
// SelectionToIntTable, each with the rows it came from.
#ifndef QVKDC_TOOLS_CHECK_SELECTIONPLAN_H
#define QVKDC_TOOLS_CHECK_SELECTIONPLAN_H

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "check/CheckInputs.h"

struct ChoiceSpec {
    const TableRow* row = nullptr;      // the choice row of ExteriorTable
    std::string itemTitle;              // before the first ":"
    std::string text;                   // after it
    std::string choiceItName;           // cell 2 of the choice row
    const TableRow* itemRow = nullptr;  // null: no item row has the title
    std::string colItName;              // cell 2 of the item row
    const TableRow* valueRow = nullptr; // SelectionToIntTable row, or null
    int value = 0;
};

class SelectionPlan {
 public:
    // REQUIRES: inputs outlives the plan.
    explicit SelectionPlan(const CheckInputs& inputs);

    // Every choice row of ExteriorTable, in file order.
    const std::vector<ChoiceSpec>& Choices() const { return choices_; }
    // The choices filed under colItName, in file order.
    std::vector<const ChoiceSpec*> ChoicesOf(const std::string& colItName) const;
    bool HasChoices(const std::string& colItName) const { return byItem_.count(colItName) != 0; }
    // The choice the export shows for value under colItName (the first one
    // filed), or null.
    const ChoiceSpec* Find(const std::string& colItName, int value) const;

 private:
    std::vector<ChoiceSpec> choices_;
    std::map<std::string, std::vector<const ChoiceSpec*>> byItem_;
    std::map<std::pair<std::string, int>, const ChoiceSpec*> byValue_;
};

#endif  // QVKDC_TOOLS_CHECK_SELECTIONPLAN_H
