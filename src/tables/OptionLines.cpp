#include "tables/OptionLines.h"

#include "model/TextTrim.h"

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsUtf16(std::string_view text) {
    const std::string_view mark = text.substr(0, 2);
    return mark == "\xFF\xFE" || mark == "\xFE\xFF";
}

}  // namespace

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
            if (IsUtf16(view)) return kOptionFileUtf16;
            if (view.substr(0, kUtf8Bom.size()) == kUtf8Bom) view.remove_prefix(kUtf8Bom.size());
        }
        const std::string_view title = OptionTitle(view);
        if (!title.empty()) oLines->push_back({line, std::string(title)});
    }
    return read < 0 ? -1 : 0;
}
