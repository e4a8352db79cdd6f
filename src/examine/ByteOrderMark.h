// ByteOrderMark: the marks a text file may start with, for every reader of
// text files: the library's option file reader, the stand-in host's table
// reader and qvkdc's check.
#ifndef QVKDC_EXAMINE_BYTEORDERMARK_H
#define QVKDC_EXAMINE_BYTEORDERMARK_H

#include <string_view>

// The UTF-8 byte-order mark.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// True when bytes start with a UTF-16 byte-order mark, in either byte order.
inline bool StartsWithUtf16Mark(std::string_view bytes) {
    const std::string_view mark = bytes.substr(0, 2);
    return mark == "\xFF\xFE" || mark == "\xFE\xFF";
}

#endif  // QVKDC_EXAMINE_BYTEORDERMARK_H
