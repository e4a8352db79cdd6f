#include "report/FindingGroups.h"

#include <array>

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

}  // namespace

FindingGroups::FindingGroups(const FindingList& findings) {
    const std::vector<Finding>& all = findings.All();
    for (const Severity severity : {Severity::kError, Severity::kWarning, Severity::kNote}) {
        std::array<std::size_t, kFindingCodeCount> at;  // code -> its group, or none
        at.fill(kNone);
        for (std::size_t i = 0; i < all.size(); ++i) {
            const Finding& f = all[i];
            if (f.severity != severity) continue;
            std::size_t& group = at[static_cast<std::size_t>(f.code)];
            if (group == kNone) {
                group = groups_.size();
                groups_.push_back({severity, f.code, {}});
            }
            groups_[group].members.push_back(i);
        }
    }
}

bool FindingGroups::AnyRepeated() const {
    for (const Group& g : groups_) {
        if (g.members.size() > 1) return true;
    }
    return false;
}
