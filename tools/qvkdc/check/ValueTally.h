// ValueTally: what the processes of a model give the columns that read a
// process parameter, counted per column and per kind of problem, so that a
// problem that many processes share becomes one finding with an example.
#ifndef QVKDC_TOOLS_CHECK_VALUETALLY_H
#define QVKDC_TOOLS_CHECK_VALUETALLY_H

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "check/FindingList.h"
#include "check/TableBuild.h"

// Kinds of value a model holds for a parameter (as QvsimParamKind answers).
enum ParamKind { kParamNone = 0, kParamInt = 1, kParamDouble = 2, kParamText = 3 };

class ValueTally {
 public:
    // where: "process "P" of plan "Q"", for the first example of a problem.
    void Asked(int column, const std::string& where);
    void Missing(int column, const std::string& where);
    void WrongKind(int column, int kind, const std::string& where);
    void NoChoice(int column, int code, const std::string& where);

    // Adds the findings, at line 1 of file.
    void Report(const std::vector<CheckedColumn>& columns, const std::string& file, FindingList* out) const;

 private:
    struct Count {
        int n = 0;
        std::string first;
        void Add(const std::string& where) {
            if (n++ == 0) first = where;
        }
        // "process "P" of plan "Q"" and " (and 3 more)".
        std::string Example() const;
    };
    std::map<int, Count> asked_;
    std::map<int, Count> missing_;
    std::map<std::pair<int, int>, Count> wrongKind_;  // (column, kind)
    std::map<std::pair<int, int>, Count> noChoice_;   // (column, code)
};

#endif  // QVKDC_TOOLS_CHECK_VALUETALLY_H
