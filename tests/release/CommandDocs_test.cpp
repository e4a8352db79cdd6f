// The manual page names every command the parser knows, and every option of
// each in that command's own part of the page: the parser is asked for
// them, so a command or option added later is checked as well.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "CommandDocs.h"
#include "Parser.h"

namespace {

// A word in bold as the page shows it, hyphens as minus signs.
std::string ManWord(const std::string& word) {
    std::string out = "\\fB";
    for (const char c : word) out += c == '-' ? std::string("\\-") : std::string(1, c);
    return out + "\\fR";
}

// The part of the page from the line that starts with heading to the next
// heading of a section or subsection; "" when there is no such line.
std::string Part(const std::string& page, const std::string& heading) {
    const std::size_t start = page.find("\n" + heading + "\n");
    if (start == std::string::npos) return "";
    const std::size_t body = start + heading.size() + 2;
    std::size_t end = body;
    while ((end = page.find("\n.S", end)) != std::string::npos) {
        if (page.compare(end, 5, "\n.SH ") == 0 || page.compare(end, 5, "\n.SS ") == 0) break;
        ++end;
    }
    return page.substr(body, end == std::string::npos ? std::string::npos : end - body);
}

// Every name of every named option of app.
std::vector<std::string> OptionNames(const CLI::App& app) {
    std::vector<std::string> names;
    for (const CLI::Option* opt : app.get_options()) {
        for (const std::string& s : opt->get_snames()) names.push_back("-" + s);
        for (const std::string& l : opt->get_lnames()) names.push_back("--" + l);
    }
    return names;
}

TEST(CommandDocs, ManPageNamesEveryCommandAndEachOfItsOptions) {
    const Parser parser;
    std::ostringstream out;
    WriteManPage(parser, out);
    const std::string page = out.str();
    const CLI::App& app = parser.App();

    const std::string options = Part(page, ".SH OPTIONS");
    const std::vector<std::string> topNames = OptionNames(app);
    EXPECT_EQ(topNames.size(), 3u) << "-h, --help, --version";
    for (const std::string& name : topNames) {
        EXPECT_NE(options.find(ManWord(name)), std::string::npos) << name;
    }

    const std::string synopsis = Part(page, ".SH SYNOPSIS");
    std::size_t commands = 0;
    for (const CLI::App* cmd : app.get_subcommands([](const CLI::App*) { return true; })) {
        const std::string name = cmd->get_name();
        const std::string part = Part(page, ".SS " + ManWord("qvkdc " + name));
        ASSERT_NE(part, "") << "no part for the command " << name << ":\n" << page;
        EXPECT_NE(part.find(cmd->get_description()), std::string::npos) << name;
        EXPECT_NE(synopsis.find(".SY qvkdc\n" + ManWord(name)), std::string::npos) << name;
        for (const std::string& option : OptionNames(*cmd)) {
            EXPECT_NE(part.find(ManWord(option)), std::string::npos) << name << " " << option;
        }
        // The footer of its help: its exit codes.
        const std::string footer = cmd->get_footer();
        EXPECT_NE(part.find(footer.substr(0, footer.find('\n'))), std::string::npos) << name;
        ++commands;
    }
    EXPECT_EQ(commands, parser.Names().size());
}

TEST(CommandDocs, HiddenHelpOptionsWriteThePageAndTheScriptOrRefuse) {
    const Parser parser;
    const struct {
        std::vector<std::string> args;
        int exitCode;
        const char* outStart;
    } rows[] = {
        {{"--man"}, 0, ".\\\" qvkdc(1)"},
        {{"--completion", "bash"}, 0, "# bash completion of qvkdc"},
        {{"--completion", "zsh"}, 2, ""},
        {{"--completion"}, 2, ""},
        {{"--man", "export"}, 2, ""},
    };
    for (const auto& row : rows) {
        std::ostringstream out;
        std::ostringstream err;
        const int rc = WriteDocs(parser, row.args, out, err);
        const std::string what = row.args[0] + (row.args.size() > 1 ? " " + row.args[1] : "");
        EXPECT_EQ(rc, row.exitCode) << what;
        EXPECT_EQ(out.str().rfind(row.outStart, 0), 0u) << what;
        EXPECT_EQ(err.str().empty(), row.exitCode == 0) << what;
    }
}

}  // namespace
