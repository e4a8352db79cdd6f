// ValueTypes: the value types and sub types of an output column, named once.
//
// Cell 2 of a ParameterSettingTable row gives a column's value type, cell 5
// its sub type, each as a keyword compared whole, exactly and
// case-sensitively. The column table stores the keyword's code (0 for any
// other text), and the column's effective value type is its sub type's code
// when that is not 0, else its value type's. For each keyword the table
// below holds its code and how the process converter writes a value of
// that effective type, which also tells what the host's parameter value
// then is. The column table, the converter, the tools that check tables
// and models and the benchmarks all read it here.
#ifndef QVKDC_EXAMINE_VALUETYPES_H
#define QVKDC_EXAMINE_VALUETYPES_H

#include <cstddef>
#include <iterator>
#include <string_view>
#include <vector>

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
    std::string_view keyword;  // as the tables spell it, and as people are shown it
    int code;                  // as the column table stores it
    ValueForm form;            // how a value of the type is written
};

// What the host's value is for a value written in form: the form decides
// how the converter reads the pointer the host hands out (the code of a
// Select value is an int).
constexpr HostValueKind KindOfForm(ValueForm form) {
    switch (form) {
        case ValueForm::kInt:
        case ValueForm::kSelect:
            return HostValueKind::kInt;
        case ValueForm::kReal:
            return HostValueKind::kDouble;
        case ValueForm::kText:
            return HostValueKind::kText;
        case ValueForm::kNone:
            break;
    }
    return HostValueKind::kNone;
}

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

// The value types, in code order. A type without a text form makes the
// host be asked and nothing be written.
inline constexpr ValueType kValueTypes[] = {
    {"Real", kValTypeReal, ValueForm::kReal},
    {"String", kValTypeString, ValueForm::kText},
    {"Select", kValTypeSelect, ValueForm::kSelect},
    {"GroupName", kValTypeGroupName, ValueForm::kNone},
    {"PlanName", kValTypePlanName, ValueForm::kNone},
    {"Knowledge", kValTypeKnowledge, ValueForm::kNone},
    {"FolderName", kValTypeFolderName, ValueForm::kNone},
    {"ProcessName", kValTypeProcessName, ValueForm::kNone},
    // The column build takes it as "String" (ReplacePrcsStat).
    {"MacroName", kValTypeMacroName, ValueForm::kNone},
};

// The sub types.
inline constexpr ValueType kSubTypes[] = {
    {"Integer", kSubTypeInteger, ValueForm::kInt},
    kValueTypes[0],  // "Real"
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

template <std::size_t N>
std::vector<std::string_view> Keywords(const ValueType (&types)[N]) {
    std::vector<std::string_view> keywords;
    keywords.reserve(N);
    for (const ValueType& type : types) keywords.push_back(type.keyword);
    return keywords;
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

// The code of a value-type keyword, and of a sub-type keyword; 0 for any
// other text.
constexpr int ValueTypeCodeOf(std::string_view keyword) {
    const ValueType* const type = FindValueType(keyword);
    return type != nullptr ? type->code : 0;
}
constexpr int SubTypeCodeOf(std::string_view keyword) {
    const ValueType* const type = FindSubType(keyword);
    return type != nullptr ? type->code : 0;
}

// The keywords of the value types in code order, and of the sub types.
inline std::vector<std::string_view> ValueTypeKeywords() { return value_types_detail::Keywords(kValueTypes); }
inline std::vector<std::string_view> SubTypeKeywords() { return value_types_detail::Keywords(kSubTypes); }

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
constexpr HostValueKind KindOfCode(int code) { return KindOfForm(FormOfCode(code)); }

// ---- Marks ----
// Cells 3 and 4 of a ParameterSettingTable row (the blank and repeat marks)
// set their mark only when they hold exactly this text; the column table
// stores 1 for it and 0 for any other text.
inline constexpr std::string_view kMarkSet = "o";
constexpr int MarkCodeOf(std::string_view mark) { return mark == kMarkSet ? 1 : 0; }

#endif  // QVKDC_EXAMINE_VALUETYPES_H
