#include "check/ValueTally.h"

#include "check/TextForms.h"
#include "model/CQvkdcOutColRowMng.h"

namespace {

const char* TypeName(int effType) {
    switch (effType) {
        case CQvkdcOutColRowMng::kSubTypeInteger:
            return "Integer";
        case CQvkdcOutColRowMng::kValTypeReal:
            return "Real";
        case CQvkdcOutColRowMng::kValTypeString:
            return "String";
        default:
            return "Select";
    }
}

const char* KindName(int kind) {
    switch (kind) {
        case kParamInt:
            return "an integer";
        case kParamDouble:
            return "a number with a fraction";
        default:
            return "a text";
    }
}

// What a column of type effType prints for a value of another kind.
const char* WrongKindEffect(int effType, int kind) {
    if (effType == CQvkdcOutColRowMng::kValTypeReal && kind == kParamInt) {
        return "prints it as 0.000000";
    }
    if (effType == CQvkdcOutColRowMng::kValTypeString) return "prints the number's bytes as text";
    if (effType == CQvkdcOutColRowMng::kValTypeSelect) return "takes its bytes for a selection code";
    return kind == kParamText ? "prints the text's bytes as a number"
                              : "prints part of the number's bytes as an integer";
}

std::string ColumnName(const CheckedColumn& c) {
    const std::string key = c.use.rule == ItemRule::kPitch
                                ? std::to_string(kPitchKeySetA) + " or " + std::to_string(kPitchKeyOther)
                                : std::to_string(c.row->GetPrmKey());
    return "column " + Quoted(c.ExName()) + " (" + TypeName(c.row->GetValType()) + ", key " + key + ")";
}

}  // namespace

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
void ValueTally::WrongKind(int column, int kind, const ValuePlace& where) {
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

void ValueTally::Report(const std::vector<CheckedColumn>& columns, const std::string& file, const PlaceName& name,
                        FindingList* out) const {
    const auto spec = [&](int column) -> const CheckedColumn& {
        return columns[static_cast<std::size_t>(column)];
    };
    for (std::size_t i = 0; i < missing_.size(); ++i) {
        const Count& missing = missing_[i];
        if (missing.n == 0) continue;
        const int column = static_cast<int>(i);
        const int asked = asked_[i].n;
        const CheckedColumn& c = spec(column);
        if (missing.n == asked) {
            out->Add(Severity::kWarning, file, 1,
                     ColumnName(c) +
                         (asked == 1 ? std::string(": its one process has no such parameter; its cell stays empty")
                                     : ": none of the " + std::to_string(asked) +
                                           " processes has such a parameter; its cells stay empty") +
                         " (is the key right?)",
                     "missing-param", column);
        } else {
            const bool one = missing.n == 1;
            out->Add(Severity::kNote, file, 1,
                     ColumnName(c) + ": " + std::to_string(missing.n) + " of " + std::to_string(asked) +
                         (one ? " processes has" : " processes have") + " no such parameter, " +
                         (one ? "" : "the first ") + name(missing.first) +
                         (one ? "; its cell stays empty" : "; their cells stay empty"),
                     "missing-param", column);
        }
    }
    for (const auto& [key, count] : wrongKind_) {
        const CheckedColumn& c = spec(key.first);
        out->Add(Severity::kWarning, file, 1,
                 ColumnName(c) + " reads " + KindName(key.second) + " from " + count.Example(name) +
                     (c.row->GetValType() == CQvkdcOutColRowMng::kSubTypeInteger ? "; an " : "; a ") +
                     TypeName(c.row->GetValType()) + " column " + WrongKindEffect(c.row->GetValType(), key.second),
                 "param-kind", key.first);
    }
    for (const auto& [key, count] : noChoice_) {
        const CheckedColumn& c = spec(key.first);
        out->Add(Severity::kWarning, file, 1,
                 "column " + Quoted(c.ExName()) + " has no choice for the code " +
                     std::to_string(key.second) + " of " + count.Example(name) + "; the cell stays empty",
                 "no-choice-for-code", key.first);
    }
}
