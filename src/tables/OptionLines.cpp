#include "tables/OptionLines.h"

#include "examine/TextTrim.h"
#include "examine/ByteOrderMark.h"

std::string_view OptionTitle(std::string_view line) {
    line = line.substr(0, line.find('\0'));
    return TrimSpace(line.substr(0, line.find('#')));
}

int ReadOptionLines(LineReader& reader, std::vector<OptionLine>* oLines) {
    std::string text;
    int read = 0;
    for (int line = 1; (read = reader.ReadLine(&text)) == 1; ++line) {
        std::string_view view = text;
        if (line == 1) {
            if (StartsWithUtf16Mark(view)) return kOptionFileUtf16;
            if (view.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) {
                view.remove_prefix(kUtf8ByteOrderMark.size());
            }
        }
        const std::string_view title = OptionTitle(view);
        if (!title.empty()) oLines->push_back({line, std::string(title)});
    }
    return read < 0 ? -1 : 0;
}
