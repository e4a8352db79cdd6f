#include "tables/OptionLines.h"

std::string_view OptionTitle(std::string_view line) {
    constexpr std::string_view kSpace = " \t\r\n\v\f";
    const std::size_t hash = line.find('#');
    if (hash != std::string_view::npos) line = line.substr(0, hash);
    const std::size_t first = line.find_first_not_of(kSpace);
    if (first == std::string_view::npos) return std::string_view();
    const std::size_t last = line.find_last_not_of(kSpace);
    return line.substr(first, last - first + 1);
}

int ReadOptionLines(LineReader& reader, std::vector<OptionLine>* oLines) {
    std::string text;
    int read = 0;
    for (int line = 1; (read = reader.ReadLine(&text)) == 1; ++line) {
        const std::string_view title = OptionTitle(text);
        if (!title.empty()) oLines->push_back({line, std::string(title)});
    }
    return read < 0 ? -1 : 0;
}
