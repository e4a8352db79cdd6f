#include "check/CellNote.h"

#include <utility>

#include "check/ValueTally.h"

void CellNoteText(const CellNote& note, std::string* brief, std::string* full) {
    const std::string key = std::to_string(note.key);
    const std::string code = std::to_string(note.code);
    const auto told = [&](std::string shortText, std::string longText) {
        *brief = std::move(shortText);
        *full = std::move(longText);
    };
    if (note.wrongKind != HostValueKind::kNone) {
        return told("wrong kind", std::string("parameter ") + key + " holds " + KindName(note.wrongKind) +
                                      ", not what the column's value type reads");
    }
    switch (note.reason) {
        case CellReason::kNone:
            return told(std::string(), std::string());
        case CellReason::kAlwaysEmpty:
            return told("always empty", "the export writes nothing for this item, whatever the process holds");
        case CellReason::kNoKey:
            return told("key " + code, "the key " + code + " means no parameter: the host is never asked");
        case CellReason::kNoTextForm:
            return told("no text form", "the column's value type gives no text");
        case CellReason::kNotForType:
            return told("not for type " + code, "the export writes this item for other process types only");
        case CellReason::kLocalFlag:
            return told(code + " is 1", "parameter " + code + " of the process is 1: the local coordinates stay empty");
        case CellReason::kMissingParam:
            return told("no parameter " + key, "the process holds no value under the key " + key);
        case CellReason::kNoChoice:
            return told("no choice for " + code, "no choice of the column has the code " + code);
        case CellReason::kNoChoices:
            return told("no choices", "the column's item has no choice rows");
        case CellReason::kNoTool:
            return told("no tool", "the process has no tool");
        case CellReason::kToolNotSet:
            return told("tool state " + code, "the process's tool has the state " + code + "; only 1 is written");
        case CellReason::kNoToolText:
            return told("no tool text", "the tool text lookup gives no text for the process's tool");
        case CellReason::kNoCandidates:
            return told("no candidates", "the process has no candidate tools");
        case CellReason::kEmptyValue:
            return told("empty value", "the value under the key " + key + " gives an empty text");
        case CellReason::kBlankName:
            return told("blank name", "the name is blank");
    }
}

const std::vector<FindingCode>& CellNoteCodes(const CellNote& note) {
    static const std::vector<FindingCode> kNone;
    static const std::vector<FindingCode> kAlways = {FindingCode::kAlwaysEmpty};
    static const std::vector<FindingCode> kKey = {FindingCode::kNoKey};
    static const std::vector<FindingCode> kType = {FindingCode::kNoTextForm, FindingCode::kNoValueType,
                                                   FindingCode::kUnknownKeyword};
    static const std::vector<FindingCode> kMissing = {FindingCode::kMissingParam};
    static const std::vector<FindingCode> kKind = {FindingCode::kParamKind};
    static const std::vector<FindingCode> kChoice = {FindingCode::kNoChoiceForCode};
    static const std::vector<FindingCode> kChoices = {FindingCode::kNoChoices, FindingCode::kMissingChoiceValue,
                                                      FindingCode::kOrphanChoice};
    static const std::vector<FindingCode> kToolText = {FindingCode::kLongToolName};
    if (note.wrongKind != HostValueKind::kNone) return kKind;
    switch (note.reason) {
        case CellReason::kAlwaysEmpty:
            return kAlways;
        case CellReason::kNoKey:
            return kKey;
        case CellReason::kNoTextForm:
            return kType;
        case CellReason::kMissingParam:
            return kMissing;
        case CellReason::kNoChoice:
            return kChoice;
        case CellReason::kNoChoices:
            return kChoices;
        case CellReason::kNoToolText:
            return kToolText;
        case CellReason::kNone:
        case CellReason::kNotForType:
        case CellReason::kLocalFlag:
        case CellReason::kNoTool:
        case CellReason::kToolNotSet:
        case CellReason::kNoCandidates:
        case CellReason::kEmptyValue:
        case CellReason::kBlankName:
            break;
    }
    return kNone;
}
