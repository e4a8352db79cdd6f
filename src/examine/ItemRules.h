// ItemRules: the item names, process types and parameter keys that the
// process converter treats apart, and which value types each of its
// converters writes a text for (the forms come from the value-type table,
// examine/ValueTypes.h), named once. The converter, the tools that check
// tables and models, and the benchmark's direct writer all take them from
// here.
#ifndef QVKDC_EXAMINE_ITEMRULES_H
#define QVKDC_EXAMINE_ITEMRULES_H

#include <string_view>

#include "PrcsTypeSet.h"
#include "ValueTypes.h"

// ---- Items with a dedicated converter ----
inline constexpr std::string_view kItemPrcsName = "ttlKHNAMEA";
inline constexpr std::string_view kItemPlanName = "planName";
inline constexpr std::string_view kItemToolType = "toolType1";
inline constexpr std::string_view kItemToolCheck = "toolCheck1";
inline constexpr std::string_view kItemScanAngle = "ttlKSCNANGDECTYP";
inline constexpr std::string_view kItemToolGroup = "toolGrpName";
inline constexpr std::string_view kItemLocalAxis = "ttlLCLPAXIS";
inline constexpr std::string_view kItemLocalHeight = "ttlLCLPHGT";

// ---- Items the parameter value converter treats apart ----
inline constexpr std::string_view kItemMacro = "ttlKPMCR";
inline constexpr std::string_view kItemMacroAlt = "ttlKPMCRA";
inline constexpr std::string_view kItemPitch = "ttlKZPCHVAL";
inline constexpr std::string_view kItemComment = "ttlKHCOMMENTA";

// ---- Process types and parameter keys ----
// Keys that mean "no parameter": a parameter column with one of them gives
// an empty text without asking the host.
inline constexpr int kNoPrmKey = 0;
inline constexpr int kNoPrmKeyAlt = 999999;
constexpr bool IsNoPrmKey(int iKey) { return iKey == kNoPrmKey || iKey == kNoPrmKeyAlt; }

// The process type for which "ttlKPMCR" is written and "ttlKPMCRA" is not.
inline constexpr int kMacroPrcsType = 2441;
// The parameter that, when it is 1, leaves both local coordinate columns
// empty. It is asked before the column's own key.
inline constexpr int kLocalCoordFlagKey = 1323;
// The keys "ttlKZPCHVAL" is asked under: by type set A, whatever the
// column's own key.
inline constexpr int kPitchKeySetA = 1122;
inline constexpr int kPitchKeyOther = 1274;
constexpr int PitchPrmKey(int iNctyp) {
    return IsPrcsTypeSetA(iNctyp) ? kPitchKeySetA : kPitchKeyOther;
}

// What an item name asks of the parameter value converter (and, for the
// local coordinate axis, of its own converter).
enum class ItemRule : unsigned char {
    kPlain,
    kMacro,      // ttlKPMCR: written only for the macro process type
    kMacroAlt,   // ttlKPMCRA: written for every other type
    kPitch,      // ttlKZPCHVAL: key by type set A
    kComment,    // ttlKHCOMMENTA: double quotes and commas become '_'
    kLocalAxis,  // ttlLCLPAXIS: written only for type set A
};

// The items whose rule is not kPlain, with their rule.
struct RuleItem {
    std::string_view name;
    ItemRule rule;
};
inline constexpr RuleItem kRuleItems[] = {
    {kItemMacro, ItemRule::kMacro},     {kItemMacroAlt, ItemRule::kMacroAlt},
    {kItemPitch, ItemRule::kPitch},     {kItemComment, ItemRule::kComment},
    {kItemLocalAxis, ItemRule::kLocalAxis},
};

constexpr ItemRule ItemRuleOf(std::string_view iItName) {
    for (const RuleItem& item : kRuleItems) {
        if (item.name == iItName) return item.rule;
    }
    return ItemRule::kPlain;
}

// False when an item of rule iRule stays empty for a process of type iNctyp
// whatever the process holds: the macro items split the processes by the
// macro type, and the local coordinate axis is written for type set A only.
constexpr bool ItemWrittenFor(ItemRule iRule, int iNctyp) {
    switch (iRule) {
        case ItemRule::kMacro:
            return iNctyp == kMacroPrcsType;
        case ItemRule::kMacroAlt:
            return iNctyp != kMacroPrcsType;
        case ItemRule::kLocalAxis:
            return IsPrcsTypeSetA(iNctyp);
        case ItemRule::kPlain:
        case ItemRule::kPitch:
        case ItemRule::kComment:
            break;
    }
    return true;
}

// ---- How a value is written ----
// How the parameter value converter writes a value of the effective value
// type iValType (the value-type table's form; kNone for a code of no type).
constexpr ValueForm ParamValueForm(int iValType) { return FormOfCode(iValType); }

// How the local coordinate converter writes a value of the effective value
// type iValType: only Real and Select give a text.
constexpr ValueForm LocalCoordValueForm(int iValType) {
    const ValueForm form = ParamValueForm(iValType);
    return form == ValueForm::kReal || form == ValueForm::kSelect ? form : ValueForm::kNone;
}

#endif  // QVKDC_EXAMINE_ITEMRULES_H
