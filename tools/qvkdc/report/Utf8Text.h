// Utf8Text: where a text's UTF-8 is well formed, for the report writers
// (which write it to JSON) and the check (which tells bytes that are no
// UTF-8 where the code page is UTF-8).
#ifndef QVKDC_TOOLS_REPORT_UTF8TEXT_H
#define QVKDC_TOOLS_REPORT_UTF8TEXT_H

#include <cstddef>
#include <string_view>

// Whether the bytes from at make one character of well-formed UTF-8 (the
// shortest form, no surrogate, at most U+10FFFF), with its length in
// *length; otherwise, in *length, the bytes that started a character and
// broke off: at least 1, as a byte that starts none counts alone.
// REQUIRES: at < text.size() and text[at] is no ASCII byte.
bool Utf8Char(std::string_view text, std::size_t at, std::size_t* length);

#endif  // QVKDC_TOOLS_REPORT_UTF8TEXT_H
