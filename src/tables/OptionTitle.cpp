#include "tables/OptionTitle.h"

std::string_view OptionTitle(std::string_view line) {
    constexpr std::string_view kSpace = " \t\r\n\v\f";
    const std::size_t hash = line.find('#');
    if (hash != std::string_view::npos) line = line.substr(0, hash);
    const std::size_t first = line.find_first_not_of(kSpace);
    if (first == std::string_view::npos) return std::string_view();
    const std::size_t last = line.find_last_not_of(kSpace);
    return line.substr(first, last - first + 1);
}
