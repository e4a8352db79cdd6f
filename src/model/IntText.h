// AppendInt: an int in signed decimal ("%d"), appended to a text without
// any locale; the table dumps write their numbers with it. (The value
// converter's AppendIntVal keeps its own std::to_chars call: through this
// helper GCC 12 no longer inlines the digit loop there, which costs the
// export 0.3% of its instructions.)
#ifndef QVKDC_MODEL_INTTEXT_H
#define QVKDC_MODEL_INTTEXT_H

#include <charconv>
#include <string>

inline void AppendInt(std::string& ioText, int iValue) {
    char buf[16];
    const std::to_chars_result res = std::to_chars(buf, buf + sizeof buf, iValue);
    ioText.append(buf, res.ptr);
}

#endif  // QVKDC_MODEL_INTTEXT_H
