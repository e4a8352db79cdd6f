#include "report/FindingIndex.h"

FindingIndex::FindingIndex(const FindingList& findings) {
    int n = 0;
    for (const Finding& f : findings.All()) {
        ++n;
        if (f.column < 0) continue;
        first_.emplace(std::make_tuple(f.column, f.code, f.detail), n);
        auto& [first, count] = byColumn_.try_emplace(f.column, n, 0).first->second;
        (void)first;
        ++count;
    }
}

int FindingIndex::Find(int column, FindingCode code, int detail) const {
    const auto it = first_.find(std::make_tuple(column, code, detail));
    return it != first_.end() ? it->second : 0;
}

int FindingIndex::FindAny(int column, const std::vector<FindingCode>& codes, int detail) const {
    for (const int d : {detail, 0}) {
        for (const FindingCode code : codes) {
            if (const int n = Find(column, code, d)) return n;
        }
    }
    return 0;
}

int FindingIndex::FirstAbout(int column, int* count) const {
    const auto it = byColumn_.find(column);
    *count = it != byColumn_.end() ? it->second.second : 0;
    return it != byColumn_.end() ? it->second.first : 0;
}
