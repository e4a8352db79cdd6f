// ValueTypes: the value types and sub types of an output column, named once.
//
// Cell 2 of a ParameterSettingTable row gives a column's value type, cell 5
// its sub type, each as a keyword compared whole, exactly and
// case-sensitively. The column table stores the keyword's code (0 for any
// other text), and the column's effective value type is its sub type's code
// when that is not 0, else its value type's. For each keyword the table
// below holds its code, how the process converter writes a value of that
// effective type, what the host's parameter value then is, and the name
// people are shown. The column table, the converter, the tools that check
// tables and models and the benchmarks all read it here.
#ifndef QVKDC_INSPECT_VALUETYPES_H
#define QVKDC_INSPECT_VALUETYPES_H

#include <cstddef>
#include <iterator>
#include <string_view>

// How the process converter writes a value.
enum class ValueForm : unsigned char {
    kNone,    // no text, although the host was asked
    kInt,     // "%d"
    kReal,    // "%.6f"
    kText,    // trimmed, in three double quotes on each side
    kSelect,  // the selection text of the int code
};

// What the host's value of a parameter is, as the converter reads it
// through the pointer the host hands out.
enum class HostValueKind : unsigned char {
    kNone,    // not read: the type writes no text
    kInt,     // an int
    kDouble,  // a double
    kText,    // a NUL-terminated 8-bit text
};

struct ValueType {
    std::string_view keyword;  // as the tables spell it
    int code;                  // as the column table stores it
    ValueForm form;            // how a value of the type is written
    HostValueKind kind;        // what the host's value is for it
    std::string_view name;     // as findings and reports show it
};

// ---- Codes (0: none) ----
inline constexpr int kValTypeReal = 1001;
inline constexpr int kValTypeString = 1002;
inline constexpr int kValTypeSelect = 1003;
inline constexpr int kValTypeGroupName = 1004;
inline constexpr int kValTypePlanName = 1005;
inline constexpr int kValTypeKnowledge = 1006;
inline constexpr int kValTypeFolderName = 1007;
inline constexpr int kValTypeProcessName = 1008;
inline constexpr int kValTypeMacroName = 1009;
// The sub type "Real" is the value type "Real", code and all.
inline constexpr int kSubTypeInteger = 65;
inline constexpr int kSubTypeReal = kValTypeReal;

namespace value_types_detail {
inline constexpr ValueType kReal = {"Real", kValTypeReal, ValueForm::kReal,
                                    HostValueKind::kDouble, "Real"};
// A value type with no text form: the host is asked, nothing is written.
constexpr ValueType NoText(std::string_view keyword, int code) {
    return {keyword, code, ValueForm::kNone, HostValueKind::kNone, keyword};
}
}  // namespace value_types_detail

// The value types, in code order.
inline constexpr ValueType kValueTypes[] = {
    value_types_detail::kReal,
    {"String", kValTypeString, ValueForm::kText, HostValueKind::kText, "String"},
    {"Select", kValTypeSelect, ValueForm::kSelect, HostValueKind::kInt, "Select"},
    value_types_detail::NoText("GroupName", kValTypeGroupName),
    value_types_detail::NoText("PlanName", kValTypePlanName),
    value_types_detail::NoText("Knowledge", kValTypeKnowledge),
    value_types_detail::NoText("FolderName", kValTypeFolderName),
    value_types_detail::NoText("ProcessName", kValTypeProcessName),
    // The column build takes it as "String" (ReplacePrcsStat).
    value_types_detail::NoText("MacroName", kValTypeMacroName),
};

// The sub types.
inline constexpr ValueType kSubTypes[] = {
    {"Integer", kSubTypeInteger, ValueForm::kInt, HostValueKind::kInt, "Integer"},
    value_types_detail::kReal,
};

namespace value_types_detail {
constexpr bool InCodeOrder() {
    for (std::size_t i = 0; i < std::size(kValueTypes); ++i) {
        if (kValueTypes[i].code != kValTypeReal + static_cast<int>(i)) return false;
    }
    return true;
}
static_assert(InCodeOrder(), "value types must have the codes 1001, 1002, ... in order");
static_assert(kSubTypes[0].code == kSubTypeInteger, "Integer is the first sub type");

template <std::size_t N>
constexpr const ValueType* Find(const ValueType (&types)[N], std::string_view keyword) {
    for (const ValueType& type : types) {
        if (type.keyword == keyword) return &type;
    }
    return nullptr;
}
}  // namespace value_types_detail

// The row of a value-type keyword; null for any other text.
constexpr const ValueType* FindValueType(std::string_view keyword) {
    return value_types_detail::Find(kValueTypes, keyword);
}

// The row of a sub-type keyword; null for any other text.
constexpr const ValueType* FindSubType(std::string_view keyword) {
    return value_types_detail::Find(kSubTypes, keyword);
}

// The row of an effective value-type code (a sub type's or a value type's);
// null for 0 and any other code. Takes a constant time: it is asked for
// every cell.
constexpr const ValueType* ValueTypeOfCode(int code) {
    if (code == kSubTypeInteger) return &kSubTypes[0];
    const unsigned at = static_cast<unsigned>(code) - static_cast<unsigned>(kValTypeReal);
    return at < std::size(kValueTypes) ? &kValueTypes[at] : nullptr;
}

// How a value of the effective value type code is written; kNone for a code
// that is no type's.
constexpr ValueForm FormOfCode(int code) {
    const ValueType* const type = ValueTypeOfCode(code);
    return type != nullptr ? type->form : ValueForm::kNone;
}

// What the host's value is for the effective value type code; kNone for a
// code that is no type's.
constexpr HostValueKind KindOfCode(int code) {
    const ValueType* const type = ValueTypeOfCode(code);
    return type != nullptr ? type->kind : HostValueKind::kNone;
}

#endif  // QVKDC_INSPECT_VALUETYPES_H
