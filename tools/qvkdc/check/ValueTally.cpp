#include "check/ValueTally.h"

#include <iterator>
#include <string_view>

#include "check/TextForms.h"
#include "cli/Suggest.h"

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

void ValueTally::Chose(int column, int choice) {
    const auto c = static_cast<std::size_t>(column);
    const auto j = static_cast<std::size_t>(choice);
    if (chosen_.size() <= c) chosen_.resize(c + 1);
    if (chosen_[c].size() <= j) chosen_[c].resize(j + 1);
    chosen_[c][j] = true;
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
    chosen_.clear();
}

namespace {

// "; the nearest value of its choices is V ("text", SelectionToIntTable
// line L), the others ...": of the values no cell was written with
// (chosen[j] false), the one nearest to code (fewest digits to change, then
// the closest number): the likely typo; then up to three more in order.
std::string ChoiceValues(const ExaminedChoices* choices, int code, const std::string& valuesFile,
                         const std::vector<bool>& chosen) {
    if (choices == nullptr || choices->Count() == 0) return "; the column has no choices";
    const std::string typed = std::to_string(code);
    const auto distance = [&](int value) {
        const long long gap = static_cast<long long>(value) - code;
        return std::pair<int, long long>(EditDistance(std::to_string(value), typed), gap < 0 ? -gap : gap);
    };
    const auto used = [&](int j) { return static_cast<std::size_t>(j) < chosen.size() && chosen[static_cast<std::size_t>(j)]; };
    int nearest = -1;
    for (int j = 0; j < choices->Count(); ++j) {
        if (used(j)) continue;
        if (nearest < 0 || distance(choices->At(j).value) < distance(choices->At(nearest).value)) nearest = j;
    }
    const auto shown = [&](int j) {
        const ExaminedChoice ch = choices->At(j);
        return std::to_string(ch.value) + " (" + Quoted(ch.exName) + ", " + valuesFile + " line " +
               std::to_string(ch.valueLine) + ')';
    };
    std::string text = nearest >= 0 ? "; the nearest value that no process has is " + shown(nearest) +
                                          " (a typing error?); the column's choices"
                                    : "; the column's choices";
    int listed = 0;
    for (int j = 0; j < choices->Count() && listed < 4; ++j) {
        if (j != nearest) text += (listed++ == 0 ? " " : ", ") + shown(j);
    }
    if (choices->Count() > listed + (nearest >= 0 ? 1 : 0)) text += ", ...";
    return text;
}

}  // namespace

void ValueTally::Report(const CheckContext& ctx, const std::string& file, const PlaceName& name,
                        const PlaceLine& line) const {
    const TableBuild& build = ctx.build;
    FindingList* out = &ctx.out;
    const std::vector<ExaminedColumn>& columns = build.Columns();
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
    const std::string& valuesFile = ctx.Shown(kSelectionToIntTableFile);
    for (const auto& [key, count] : noChoice_) {
        const ExaminedColumn& c = columnAt(key.first);
        out->Add(Severity::kWarning, file, line(count.first),
            "column " + Quoted(c.ExName()) + " has no choice for the code " +
                std::to_string(key.second) + " of " + count.Example(name) + "; the cell stays empty" +
                ChoiceValues(build.ChoicesOf(c.ItName()), key.second, valuesFile,
                             static_cast<std::size_t>(key.first) < chosen_.size()
                                 ? chosen_[static_cast<std::size_t>(key.first)]
                                 : std::vector<bool>()),
            FindingCode::kNoChoiceForCode, key.first, key.second);
    }
}
