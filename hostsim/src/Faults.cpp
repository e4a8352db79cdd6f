#include "Faults.h"

#include <climits>

namespace qvsim {

int Faults::Arm(HostCall call, int nth) {
    const int i = Index(call);
    if (!HostCallCanFail(call) || nth < 0) return -1;
    failAt_[i] = nth == 0 ? 0 : counts_[i] + nth;
    return 0;
}

int Faults::Count(HostCall call) const {
    const long long n = counts_[Index(call)];
    return n < INT_MAX ? static_cast<int>(n) : INT_MAX;
}

void Faults::Reset() {
    for (int i = 0; i < kHostCallCount; ++i) {
        counts_[i] = 0;
        failAt_[i] = 0;
    }
}

Faults g_faults;

}  // namespace qvsim
