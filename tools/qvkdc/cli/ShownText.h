// ShownText: a text of the tables, the model or a file name as qvkdc's
// lines show it, each control character (a line end, a tab, ...) written
// as an escape: "\n", "\r", "\t", "\xHH". A text then stays on its line,
// and a byte that cannot be seen is seen.
#ifndef QVKDC_TOOLS_CLI_SHOWNTEXT_H
#define QVKDC_TOOLS_CLI_SHOWNTEXT_H

#include <string>
#include <string_view>

// Appends text to *out, its control characters escaped.
void AppendShown(std::string_view text, std::string* out);

inline std::string ShownText(std::string_view text) {
    std::string out;
    AppendShown(text, &out);
    return out;
}

#endif  // QVKDC_TOOLS_CLI_SHOWNTEXT_H
