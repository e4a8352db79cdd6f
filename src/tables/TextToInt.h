// TextToInt: the integer value of a decimal number cell, read the way atoi
// reads it, independent of the locale.
#ifndef QVKDC_TABLES_TEXTTOINT_H
#define QVKDC_TABLES_TEXTTOINT_H

#include <string_view>

// Skips leading white space (blank, tab, LF, VT, FF, CR), takes an optional
// "+" or "-" and the decimal digits up to the first other character. No
// digits give 0; a value beyond the int range gives INT_MAX or INT_MIN.
int TextToInt(std::string_view text);

#endif  // QVKDC_TABLES_TEXTTOINT_H
