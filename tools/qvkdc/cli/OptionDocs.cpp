#include "cli/OptionDocs.h"

#include <string_view>

std::vector<const CLI::Option*> NamedOptions(const CLI::App& app) {
    return app.get_options([](const CLI::Option* opt) {
        return !opt->get_lnames().empty() || !opt->get_snames().empty();
    });
}

std::vector<const CLI::App*> CommandApps(const CLI::App& app) {
    return app.get_subcommands([](const CLI::App*) { return true; });
}

std::vector<std::string> OptionWords(const CLI::Option& opt) {
    std::vector<std::string> words;
    for (const std::string& s : opt.get_snames()) words.push_back("-" + s);
    for (const std::string& l : opt.get_lnames()) words.push_back("--" + l);
    return words;
}

bool TakesValue(const CLI::Option& opt) { return opt.get_items_expected_max() > 0; }

std::vector<std::string> Choices(const CLI::Option& opt) {
    const std::string type = opt.get_type_name();
    const std::size_t open = type.find(":{");
    if (open == std::string::npos || type.back() != '}') return {};
    std::vector<std::string> choices;
    std::string_view rest(type);
    rest = rest.substr(open + 2, rest.size() - open - 3);
    while (!rest.empty()) {
        const std::size_t comma = rest.find(',');
        choices.emplace_back(rest.substr(0, comma));
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    return choices;
}

std::string ValueName(const CLI::Option& opt) {
    if (!TakesValue(opt)) return "";
    const std::vector<std::string> choices = Choices(opt);
    if (!choices.empty()) return Joined(choices, "|");
    const std::string type = opt.get_type_name();
    return type.substr(0, type.find(':'));
}

std::string Joined(const std::vector<std::string>& words, const char* separator) {
    std::string text;
    for (const std::string& w : words) text += (text.empty() ? "" : separator) + w;
    return text;
}

std::string Sentence(const std::string& description) {
    std::string text = description;
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text + ".";
}
