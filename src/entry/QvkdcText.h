// Small text helpers of the entry functions.
#ifndef QVKDC_ENTRY_QVKDCTEXT_H
#define QVKDC_ENTRY_QVKDCTEXT_H

#include <string>

// Appends value in decimal with at least three digits, zero-padded, as
// "%.3d" writes it (7 gives "007", -7 gives "-007", 1000 gives "1000").
void QvkdcAppendIndex3(int value, std::string* out);

#endif  // QVKDC_ENTRY_QVKDCTEXT_H
