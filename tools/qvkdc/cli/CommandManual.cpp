#include "cli/CommandManual.h"

#include <algorithm>

#include "session/HostSession.h"

std::string ExitCodeText(int code) {
    return code == kExitSignal ? std::string("128+N") : std::to_string(code);
}

std::string ExitPrecedence(const std::vector<ExitCode>& exitCodes) {
    std::vector<int> codes;
    for (const ExitCode& exit : exitCodes) {
        if (exit.code != kExitOk) codes.push_back(exit.code);
    }
    if (codes.size() < 2) return "";
    // A signal ends qvkdc whatever else happened; the rest wins as qvkdc
    // combines its codes.
    std::stable_sort(codes.begin(), codes.end(), [](int a, int b) {
        if (a == kExitSignal || b == kExitSignal) return a == kExitSignal && b != kExitSignal;
        return a != b && CombinedExit(a, b) == a;
    });
    std::string text = "Where more than one applies: " + ExitCodeText(codes[0]) + ", then ";
    for (std::size_t i = 1; i < codes.size(); ++i) {
        text += (i > 1 ? ", " : "") + ExitCodeText(codes[i]);
    }
    return text + ".";
}

std::string HelpFooter(const CommandManual& manual) {
    std::string footer = manual.notes;
    if (manual.exitCodes.empty()) return footer;
    std::size_t width = 0;
    for (const ExitCode& exit : manual.exitCodes) width = std::max(width, ExitCodeText(exit.code).size());
    footer += "Exit codes:\n";
    for (const ExitCode& exit : manual.exitCodes) {
        const std::string code = ExitCodeText(exit.code);
        footer += "  " + code + std::string(width - code.size() + 2, ' ') + exit.meaning + '\n';
    }
    return footer + ExitPrecedence(manual.exitCodes);
}

std::vector<std::string> Paragraphs(const std::string& text) {
    std::vector<std::string> paragraphs;
    std::string paragraph;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        const std::size_t first = line.find_first_not_of(' ');
        // An empty line ends a paragraph, and an item of a list starts one.
        if (first == std::string::npos || line.compare(first, 2, "- ") == 0) {
            if (!paragraph.empty()) paragraphs.push_back(paragraph);
            paragraph.clear();
        }
        if (first != std::string::npos) {
            line = line.substr(first, line.find_last_not_of(' ') + 1 - first);
            paragraph += (paragraph.empty() ? "" : " ") + line;
        }
        start = end + 1;
    }
    if (!paragraph.empty()) paragraphs.push_back(paragraph);
    return paragraphs;
}
