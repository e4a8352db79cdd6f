#include "check/ValueTally.h"

#include <iterator>
#include <string_view>

#include "check/TextForms.h"

namespace {

// The value type of a column, by its effective code, as people are shown it.
std::string_view TypeName(int effType) {
    const ValueType* const type = ValueTypeOfCode(effType);
    return type != nullptr ? type->keyword : "no value type";
}

// What a column of type effType prints for a value of another kind.
const char* WrongKindEffect(int effType, HostValueKind kind) {
    switch (FormOfCode(effType)) {
        case ValueForm::kReal:
            return kind == HostValueKind::kInt ? "prints it as 0.000000" : "prints the text's bytes as a number";
        case ValueForm::kText:
            return "prints the number's bytes as text";
        case ValueForm::kSelect:
            return "takes its bytes for a selection code";
        case ValueForm::kInt:
            return kind == HostValueKind::kText ? "prints the text's bytes as a number"
                                                : "prints part of the number's bytes as an integer";
        case ValueForm::kNone:
            break;
    }
    return "writes nothing";
}

std::string ColumnName(const ExaminedColumn& c) {
    const std::string key = c.use.rule == ItemRule::kPitch
                                ? std::to_string(kPitchKeySetA) + " or " + std::to_string(kPitchKeyOther)
                                : std::to_string(c.prmKey);
    return "column " + Quoted(c.ExName()) + " (" + std::string(TypeName(c.valType)) + ", key " + key + ")";
}

}  // namespace

const char* KindName(HostValueKind kind) {
    switch (kind) {
        case HostValueKind::kInt:
            return "an integer";
        case HostValueKind::kDouble:
            return "a number with a fraction";
        case HostValueKind::kText:
            return "a text";
        case HostValueKind::kNone:
            break;
    }
    return "no value";
}


HostValueKind ModelValueKind(int answer) {
    constexpr HostValueKind kByAnswer[] = {HostValueKind::kNone, HostValueKind::kInt, HostValueKind::kDouble,
                                           HostValueKind::kText};
    return answer >= 0 && answer < static_cast<int>(std::size(kByAnswer)) ? kByAnswer[answer] : HostValueKind::kNone;
}

std::string ValueTally::Count::Example(const PlaceName& name) const {
    return n > 1 ? name(first) + " (and " + std::to_string(n - 1) + " more)" : name(first);
}

ValueTally::Count& ValueTally::At(std::vector<Count>* counts, int column) {
    const std::size_t i = static_cast<std::size_t>(column);
    if (i >= counts->size()) counts->resize(i + 1);
    return (*counts)[i];
}

void ValueTally::Asked(int column, const ValuePlace& where) { At(&asked_, column).Add(where); }
void ValueTally::Missing(int column, const ValuePlace& where) { At(&missing_, column).Add(where); }
void ValueTally::WrongKind(int column, HostValueKind kind, const ValuePlace& where) {
    wrongKind_[{column, kind}].Add(where);
}
void ValueTally::NoChoice(int column, int code, const ValuePlace& where) {
    noChoice_[{column, code}].Add(where);
}

void ValueTally::Merge(const ValueTally& other) {
    for (std::size_t i = 0; i < other.asked_.size(); ++i) {
        if (other.asked_[i].n > 0) At(&asked_, static_cast<int>(i)).Merge(other.asked_[i]);
    }
    for (std::size_t i = 0; i < other.missing_.size(); ++i) {
        if (other.missing_[i].n > 0) At(&missing_, static_cast<int>(i)).Merge(other.missing_[i]);
    }
    for (const auto& [key, count] : other.wrongKind_) wrongKind_[key].Merge(count);
    for (const auto& [key, count] : other.noChoice_) noChoice_[key].Merge(count);
}

void ValueTally::Clear() {
    asked_.clear();
    missing_.clear();
    wrongKind_.clear();
    noChoice_.clear();
}

void ValueTally::Report(const std::vector<ExaminedColumn>& columns, const std::string& file, const PlaceName& name,
                        const PlaceLine& line, FindingList* out) const {
    const auto columnAt = [&](int column) -> const ExaminedColumn& {
        return columns[static_cast<std::size_t>(column)];
    };
    for (std::size_t i = 0; i < missing_.size(); ++i) {
        const Count& missing = missing_[i];
        if (missing.n == 0) continue;
        const int column = static_cast<int>(i);
        const int asked = asked_[i].n;
        const ExaminedColumn& c = columnAt(column);
        if (missing.n == asked) {
            out->Add(Severity::kWarning, file, line(missing.first),
                     ColumnName(c) +
                         (asked == 1 ? std::string(": its one process has no such parameter; its cell stays empty")
                                     : ": none of the " + std::to_string(asked) +
                                           " processes has such a parameter; its cells stay empty") +
                         " (is the key right?)",
                     FindingCode::kMissingParam, column);
        } else {
            const bool one = missing.n == 1;
            out->Add(Severity::kNote, file, line(missing.first),
                     ColumnName(c) + ": " + std::to_string(missing.n) + " of " + std::to_string(asked) +
                         (one ? " processes has" : " processes have") + " no such parameter, " +
                         (one ? "" : "the first ") + name(missing.first) +
                         (one ? "; its cell stays empty" : "; their cells stay empty"),
                     FindingCode::kMissingParam, column);
        }
    }
    for (const auto& [key, count] : wrongKind_) {
        const ExaminedColumn& c = columnAt(key.first);
        const std::string_view type = TypeName(c.valType);
        out->Add(Severity::kWarning, file, line(count.first),
            ColumnName(c) + " reads " + KindName(key.second) + " from " + count.Example(name) + "; its value type " +
                std::string(type) + ' ' + WrongKindEffect(c.valType, key.second),
            FindingCode::kParamKind, key.first, static_cast<int>(key.second));
    }
    for (const auto& [key, count] : noChoice_) {
        const ExaminedColumn& c = columnAt(key.first);
        out->Add(Severity::kWarning, file, line(count.first),
            "column " + Quoted(c.ExName()) + " has no choice for the code " +
                std::to_string(key.second) + " of " + count.Example(name) + "; the cell stays empty",
            FindingCode::kNoChoiceForCode, key.first, key.second);
    }
}
