#include "check/CellReason.h"

#include <utility>

#include "check/ValueTally.h"
#include "ItemRules.h"

namespace {

// Why a cell that the converter fills from a parameter is empty, after
// what asking it tells (the parameter is there, of its column's kind).
CellReason ValueReason(const CheckedColumn& c, bool hasChoices) {
    if (c.use.form == ValueForm::kNone) return {CellReason::kNoTextForm};
    if (c.use.form == ValueForm::kSelect && !hasChoices) return {CellReason::kNoChoices};
    return {CellReason::kEmptyValue, c.row->GetPrmKey()};
}

}  // namespace

CellReason EmptyCellReason(const CheckedColumn& c, const QdgmPrcsRec& record, int askedCount, bool hasChoices) {
    const std::string& item = c.ItName();
    switch (c.use.conv) {
        case CQvkdcCnvColData::kItemConvEmpty:
            return {CellReason::kAlwaysEmpty};
        case CQvkdcCnvColData::kItemConvParam:
            if (!ItemWrittenFor(c.use.rule, record.nctyp)) return {CellReason::kNotForType, 0, record.nctyp};
            if (c.use.keyMeansNone) return {CellReason::kNoKey, c.row->GetPrmKey()};
            return ValueReason(c, hasChoices);
        default:
            break;
    }
    if (c.use.flagKey != 0) {
        // Only the flag was asked: it is 1, or the type takes no value.
        if (askedCount <= 1) {
            return ItemWrittenFor(c.use.rule, record.nctyp) ? CellReason{CellReason::kLocalFlag, c.use.flagKey}
                                                             : CellReason{CellReason::kNotForType, 0, record.nctyp};
        }
        return ValueReason(c, hasChoices);
    }
    if (item == kItemToolType || item == kItemToolCheck) {
        if (record.tool == nullptr) return {CellReason::kNoTool};
        if (item == kItemToolCheck) return {CellReason::kNoToolText};
        if (record.tool->state != 1) return {CellReason::kToolNotSet, 0, record.tool->state};
        return hasChoices ? CellReason{} : CellReason{CellReason::kNoChoices, 0, record.tool->toolType};
    }
    if (item == kItemScanAngle) return {CellReason::kNoChoices, 0, c.use.fixedCode};
    if (item == kItemToolGroup) return {CellReason::kNoCandidates};
    if (item == kItemPrcsName || item == kItemPlanName) return {CellReason::kBlankName};
    return {};
}

void CellReasonText(const CellReason& why, std::string* brief, std::string* full) {
    const std::string key = std::to_string(why.key);
    const std::string value = std::to_string(why.value);
    const auto told = [&](std::string shortText, std::string longText) {
        *brief = std::move(shortText);
        *full = std::move(longText);
    };
    switch (why.kind) {
        case CellReason::kAlwaysEmpty:
            return told("always empty", "the export writes nothing for this item, whatever the process holds");
        case CellReason::kNoKey:
            return told("key " + key, "the key " + key + " means no parameter: the host is never asked");
        case CellReason::kNoTextForm:
            return told("no text form", "the column's value type gives no text");
        case CellReason::kNotForType:
            return told("not for type " + value, "the export writes this item for other process types only");
        case CellReason::kLocalFlag:
            return told(key + " is 1", "parameter " + key + " of the process is 1: the local coordinates stay empty");
        case CellReason::kMissingParam:
            return told("no parameter " + key, "the process holds no value under the key " + key);
        case CellReason::kWrongKind:
            return told("wrong kind",
                        std::string("parameter ") + key + " holds " +
                            (why.value == static_cast<int>(HostValueKind::kInt)      ? "an integer"
                             : why.value == static_cast<int>(HostValueKind::kDouble) ? "a number with a fraction"
                                                                                     : "a text") +
                            ", not what the column's value type reads");
        case CellReason::kNoChoice:
            return told("no choice for " + value, "no choice of the column has the code " + value);
        case CellReason::kNoChoices:
            return told("no choices", "the column's item has no choice rows");
        case CellReason::kNoTool:
            return told("no tool", "the process has no tool");
        case CellReason::kToolNotSet:
            return told("tool state " + value, "the process's tool has the state " + value + "; only 1 is written");
        case CellReason::kNoToolText:
            return told("no tool text", "the tool text lookup gives no text for the process's tool");
        case CellReason::kNoCandidates:
            return told("no candidates", "the process has no candidate tools");
        case CellReason::kEmptyValue:
            return told("empty value", "the value under the key " + key + " gives an empty text");
        case CellReason::kBlankName:
            return told("blank name", "the name is blank");
        default:
            return told(std::string(), std::string());
    }
}

const char* const* CellReasonCodes(CellReason::Kind kind) {
    static const char* const kNone[] = {nullptr};
    static const char* const kAlways[] = {"always-empty", nullptr};
    static const char* const kKey[] = {"no-key", nullptr};
    static const char* const kType[] = {"no-text-form", "no-value-type", "unknown-keyword", nullptr};
    static const char* const kMissing[] = {"missing-param", nullptr};
    static const char* const kKind[] = {"param-kind", nullptr};
    static const char* const kChoice[] = {"no-choice-for-code", nullptr};
    static const char* const kChoices[] = {"no-choices", "missing-choice-value", "orphan-choice", nullptr};
    static const char* const kToolText[] = {"long-tool-name", nullptr};
    switch (kind) {
        case CellReason::kAlwaysEmpty:
            return kAlways;
        case CellReason::kNoKey:
            return kKey;
        case CellReason::kNoTextForm:
            return kType;
        case CellReason::kMissingParam:
            return kMissing;
        case CellReason::kWrongKind:
            return kKind;
        case CellReason::kNoChoice:
            return kChoice;
        case CellReason::kNoChoices:
            return kChoices;
        case CellReason::kNoToolText:
            return kToolText;
        default:
            return kNone;
    }
}
