// ColumnUse: what the process converter does with the cells of one column,
// worked out once from the column's item name, parameter key and effective
// value type (DescribeColumn) and followed by the converter for every cell
// of the column: the one place that decides it.
#ifndef QVKDC_EXAMINE_COLUMNUSE_H
#define QVKDC_EXAMINE_COLUMNUSE_H

#include <string_view>
#include <vector>

#include "ItemRules.h"
#include "ValueTypes.h"

// Which converter writes the column's cells.
enum class ItemConv : unsigned char {
    kEmpty,      // none: the cells stay empty and nothing is read from the process
    kDedicated,  // the item's own converter
    kParam,      // the process parameter under the column's key
};

struct ColumnUse {
    ItemConv conv = ItemConv::kParam;
    ItemRule rule = ItemRule::kPlain;
    // The host is asked for the value under the column's own key: a
    // parameter column whose key is not a "no parameter" key (but the
    // pitch item, whose key comes from the process type), and a local
    // coordinate column, whatever its key.
    bool asksOwnKey = false;
    // A parameter column whose key means "no parameter": the host is never
    // asked and its cells stay empty.
    bool keyMeansNone = false;
    // The key asked before the value (the local coordinate flag), or 0.
    int flagKey = 0;
    // How the value the host gives is written; kNone: no text (also for
    // columns that ask for no value).
    ValueForm form = ValueForm::kNone;
    // The text is a choice of the column's item (its selection row):
    // Select values, the tool type, the scan angle.
    bool choiceText = false;
    // The code every cell looks up (the scan angle: 0), or -1.
    int fixedCode = -1;
    // The text begins with the tool-set form (the tool check item).
    bool toolSetForm = false;

    // The host is asked for a value (under the column's own key or, for
    // the pitch item, a key by process type).
    bool AsksValue() const { return asksOwnKey || rule == ItemRule::kPitch; }
};

// What the converter does with a column of item itName, parameter key
// prmKey and effective value type valType. Without a key and a type: what
// the item's name alone decides (conv, rule).
ColumnUse DescribeColumn(std::string_view itName, int prmKey = 0, int valType = 0);

// Every item name whose column the converter leaves empty or gives to a
// dedicated item converter, in byte order.
std::vector<std::string_view> DispatchItemNames();

#endif  // QVKDC_EXAMINE_COLUMNUSE_H
