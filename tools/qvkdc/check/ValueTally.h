// ValueTally: what the processes of a model give the columns that read a
// process parameter, counted per column and per kind of problem, so that a
// problem that many processes share becomes one finding with an example.
#ifndef QVKDC_TOOLS_CHECK_VALUETALLY_H
#define QVKDC_TOOLS_CHECK_VALUETALLY_H

#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "check/FindingList.h"
#include "check/CheckContext.h"
#include "ValueTypes.h"
#include "qvkdc/qvkdc.h"

// The kind of value a model holds for a parameter, from what QvsimParamKind
// answers (1 an integer, 2 a number with a fraction, 3 a text); kNone for no
// value (0) or no such process (-1).
HostValueKind ModelValueKind(int answer);

// A value of kind, as findings and the page name it: "an integer", "a
// number with a fraction", "a text"; "no value" for kNone.
const char* KindName(HostValueKind kind);

// Where a value was met: a process of a plan (its index in the block).
struct ValuePlace {
    int plan = -1;
    ModelId process{};
};

class ValueTally {
 public:
    // Tells "process "P" of plan N "Q"" for a place, once findings are made.
    using PlaceName = std::function<std::string(const ValuePlace&)>;
    // Tells the line of the model file a place begins on.
    using PlaceLine = std::function<int(const ValuePlace&)>;

    // where: the first example of a problem is kept.
    void Asked(int column, const ValuePlace& where);
    void Missing(int column, const ValuePlace& where);
    void WrongKind(int column, HostValueKind kind, const ValuePlace& where);
    void NoChoice(int column, int code, const ValuePlace& where);
    // A cell of column holds the text of its choice (index among the
    // choices of the column's item): a value some process has.
    void Chose(int column, int choice);

    // Adds the counts of other, as met after these.
    void Merge(const ValueTally& other);
    // Forgets every count.
    void Clear();

    // Adds the findings, each at the line of file where its first example
    // begins; a code without a choice is told with the column's choices
    // (ctx.build's), the nearest value among them first.
    void Report(const CheckContext& ctx, const std::string& file, const PlaceName& name, const PlaceLine& line) const;

 private:
    struct Count {
        int n = 0;
        ValuePlace first;
        void Add(const ValuePlace& where) {
            if (n++ == 0) first = where;
        }
        void Merge(const Count& other) {
            if (n == 0) first = other.first;
            n += other.n;
        }
        // "process "P" of plan N "Q"" and " (and 3 more)".
        std::string Example(const PlaceName& name) const;
    };
    // Indexed by column: these two are counted for every cell.
    static Count& At(std::vector<Count>* counts, int column);
    std::vector<Count> asked_;
    std::vector<Count> missing_;
    std::map<std::pair<int, HostValueKind>, Count> wrongKind_;
    std::map<std::pair<int, int>, Count> noChoice_;   // (column, code)
    std::vector<std::vector<bool>> chosen_;           // [column][choice]
};

#endif  // QVKDC_TOOLS_CHECK_VALUETALLY_H
