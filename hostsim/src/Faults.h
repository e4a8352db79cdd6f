// Faults: call counting and fault injection of the stand-in host.
//
// Every host call of the stand-in host counts itself here and asks whether
// this very call must fail. A failure is armed from the control interface
// (QvsimFailCall: the nth call from now fails, once) and cleared by a reset.
// Failures that a model file names for a plan or process are decided by the
// model database itself, not here.
#ifndef QVHOSTSIM_FAULTS_H
#define QVHOSTSIM_FAULTS_H

#include "HostCall.h"

namespace qvsim {

class Faults {
 public:
    // Counts one call of `call`; true when it is the armed failing call (the
    // arming is then used up). Calls that cannot fail are only counted.
    bool Hit(HostCall call) {
        const int i = Index(call);
        ++counts_[i];
        if (failAt_[i] == 0 || counts_[i] != failAt_[i]) return false;
        failAt_[i] = 0;
        return true;
    }
    // Arms the nth call (1-based, from now) of `call` to fail; 0 disarms.
    // Returns 0, or -1 when the call cannot fail or nth is negative.
    int Arm(HostCall call, int nth);
    // Calls counted, INT_MAX once there were more.
    int Count(HostCall call) const;
    // Zero counts, nothing armed.
    void Reset();

 private:
    static int Index(HostCall call) { return static_cast<int>(call); }
    // 64-bit: a long session or fuzz run makes billions of calls.
    long long counts_[kHostCallCount] = {};
    long long failAt_[kHostCallCount] = {};  // call count that fails; 0 = none
};

// The one fault table of the stand-in host.
extern Faults g_faults;
inline Faults& TheFaults() { return g_faults; }

}  // namespace qvsim

#endif  // QVHOSTSIM_FAULTS_H
