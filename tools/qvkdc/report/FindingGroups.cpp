#include "report/FindingGroups.h"

#include <map>
#include <utility>

FindingGroups::FindingGroups(const FindingList& findings) {
    const std::vector<Finding>& all = findings.All();
    for (const Severity severity : {Severity::kError, Severity::kWarning, Severity::kNote}) {
        std::map<std::string_view, std::size_t> at;  // code -> its group
        for (std::size_t i = 0; i < all.size(); ++i) {
            const Finding& f = all[i];
            if (f.severity != severity) continue;
            const auto [it, added] = at.emplace(f.code, groups_.size());
            if (added) groups_.push_back({severity, f.code, {}});
            groups_[it->second].members.push_back(i);
        }
    }
}

bool FindingGroups::AnyRepeated() const {
    for (const Group& g : groups_) {
        if (g.members.size() > 1) return true;
    }
    return false;
}
