// Guarded: the exception barrier of the stand-in host's C functions.
//
// The host's calls are called from C and from the library, which expect no
// exception. A call whose body can throw (it allocates: memory may run out)
// runs it through Guarded, which turns any exception into the call's
// failure result, or into nothing for a call without result.
#ifndef QVHOSTSIM_GUARDED_H
#define QVHOSTSIM_GUARDED_H

namespace qvsim {

template <typename Result, typename Body>
Result Guarded(Result failed, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return failed;
    }
}

template <typename Body>
void Guarded(Body&& body) noexcept {
    try {
        body();
    } catch (...) {
    }
}

}  // namespace qvsim

#endif  // QVHOSTSIM_GUARDED_H
