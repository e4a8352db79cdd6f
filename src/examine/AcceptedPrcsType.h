// The process types an output run accepts: a plan with a process of any
// other type is rejected as a whole.
#ifndef QVKDC_EXAMINE_ACCEPTEDPRCSTYPE_H
#define QVKDC_EXAMINE_ACCEPTEDPRCSTYPE_H

// True for 2411-2417, 2419-2422, 2425-2444, 2446-2448 and 2502.
constexpr bool IsAcceptedPrcsType(int type) {
    return (type >= 2411 && type <= 2417) || (type >= 2419 && type <= 2422) ||
           (type >= 2425 && type <= 2444) || (type >= 2446 && type <= 2448) ||
           type == 2502;
}

#endif  // QVKDC_EXAMINE_ACCEPTEDPRCSTYPE_H
