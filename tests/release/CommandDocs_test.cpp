// The manual page and the command-line reference name every command the
// parser knows, and every option of each in that command's own part: the
// parser is asked for them, so a command or option added later is checked
// as well. The reference committed as docs/command-line.md is the one qvkdc
// writes, and every example of the manuals is a command line the parser
// takes.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CommandDocs.h"
#include "cli/CommandReference.h"
#include "cli/OptionDocs.h"
#include "cli/Parser.h"

namespace {

// Text to type as the page shows it: hyphens as minus signs.
std::string ManText(const std::string& text) {
    std::string out;
    for (const char c : text) out += c == '-' ? std::string("\\-") : std::string(1, c);
    return out;
}

// A word in bold as the page shows it.
std::string ManWord(const std::string& word) { return "\\fB" + ManText(word) + "\\fR"; }

// The part of doc from the line heading to the next line that starts with
// one of ends; "" when there is no such heading.
std::string Part(const std::string& doc, const std::string& heading, const std::vector<std::string>& ends) {
    const std::size_t start = doc.find("\n" + heading + "\n");
    if (start == std::string::npos) return "";
    const std::size_t body = start + heading.size() + 2;
    std::size_t end = doc.size();
    for (const std::string& next : ends) end = std::min(end, doc.find("\n" + next, body));
    return doc.substr(body, end - body);
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

// How a document heads the part of a command, or of the program's own
// options (command ""), and names an option there.
struct Document {
    const char* what;
    void (*write)(const Parser&, std::ostream&);
    std::string (*heading)(const std::string& command);
    std::vector<std::string> ends;
    bool (*names)(const std::string& part, const std::string& option);
};

const Document kDocuments[] = {
    {"manual page", &WriteManPage,
     [](const std::string& command) {
         return command.empty() ? std::string(".SH OPTIONS") : ".SS " + ManWord("qvkdc " + command);
     },
     {".SH ", ".SS "},
     [](const std::string& part, const std::string& option) {
         return part.find(ManWord(option)) != std::string::npos;
     }},
    {"command-line reference", &WriteCommandReference,
     [](const std::string& command) {
         return command.empty() ? std::string("## Options of qvkdc") : "## qvkdc " + command;
     },
     {"## "},
     [](const std::string& part, const std::string& option) {
         return part.find("`" + option + "`") != std::string::npos ||
                part.find("`" + option + " ") != std::string::npos;
     }},
};

TEST(CommandDocs, NameEveryCommandAndEachOfItsOptionsInItsPart) {
    const Parser parser;
    const CLI::App& app = parser.App();
    EXPECT_EQ(OptionNames(app).size(), 3u) << "-h, --help, --version";
    for (const Document& doc : kDocuments) {
        std::ostringstream out;
        doc.write(parser, out);
        const std::string text = out.str();
        const std::string options = Part(text, doc.heading(""), doc.ends);
        for (const std::string& name : OptionNames(app)) {
            EXPECT_TRUE(doc.names(options, name)) << doc.what << ": " << name;
        }
        std::size_t commands = 0;
        for (const CLI::App* cmd : CommandApps(app)) {
            const std::string part = Part(text, doc.heading(cmd->get_name()), doc.ends);
            ASSERT_NE(part, "") << doc.what << ": no part for the command " << cmd->get_name() << ":\n" << text;
            for (const std::string& option : OptionNames(*cmd)) {
                EXPECT_TRUE(doc.names(part, option)) << doc.what << ": " << cmd->get_name() << " " << option;
            }
            ++commands;
        }
        EXPECT_EQ(commands, parser.Names().size()) << doc.what;
    }
}

// EXIT STATUS holds a subsection per command with each of its codes, and
// EXAMPLES each example; FILES names the option file.
TEST(CommandDocs, ManPageTellsExitStatusExamplesAndFiles) {
    const Parser parser;
    std::ostringstream out;
    WriteManPage(parser, out);
    const std::string page = out.str();
    const std::string status = page.substr(page.find("\n.SH EXIT STATUS\n"));
    const std::string examples = Part(page, ".SH EXAMPLES", {".SH "});
    EXPECT_NE(Part(page, ".SH FILES", {".SH "}).find("rc_pln2usr.ini"), std::string::npos);
    // NAME: the program's description without its name in front.
    EXPECT_NE(page.find("\n.SH NAME\nqvkdc \\- export the machining knowledge"), std::string::npos);
    // The program's own exit codes come first, before each command's.
    const std::string program = status.substr(0, status.find("\n.SS "));
    EXPECT_FALSE(parser.Manual(parser.App()).exitCodes.empty());
    for (const ExitCode& exit : parser.Manual(parser.App()).exitCodes) {
        EXPECT_NE(program.find(".B " + ExitCodeText(exit.code) + "\n"), std::string::npos) << exit.code;
    }
    // Each item of a manual's lists with its bullet, and no other paragraph.
    std::size_t items = 0;
    const auto count = [&items](const std::string& text) {
        for (const std::string& paragraph : Paragraphs(text)) items += paragraph.compare(0, 2, "- ") == 0;
    };
    count(parser.Manual(parser.App()).details);
    for (const CLI::App* cmd : CommandApps(parser.App())) {
        count(parser.Manual(*cmd).notes);
        count(parser.Manual(*cmd).details);
    }
    std::size_t bullets = 0;
    for (std::size_t at = page.find(".IP \\(bu 2\n"); at != std::string::npos; at = page.find(".IP \\(bu", at + 1)) ++bullets;
    EXPECT_EQ(bullets, items);
    EXPECT_GT(items, 0u);
    for (const CLI::App* cmd : CommandApps(parser.App())) {
        const CommandManual manual = parser.Manual(*cmd);
        // --help lists the exit codes with their meanings in one column, two
        // spaces after the widest code.
        const std::string footer = HelpFooter(manual);
        std::size_t widest = 0;
        for (const ExitCode& exit : manual.exitCodes) widest = std::max(widest, ExitCodeText(exit.code).size());
        for (const ExitCode& exit : manual.exitCodes) {
            const std::string code = ExitCodeText(exit.code);
            EXPECT_NE(footer.find("\n  " + code + std::string(widest - code.size() + 2, ' ') + exit.meaning + '\n'),
                      std::string::npos)
                << cmd->get_name() << " " << code << "\n" << footer;
        }
        const std::string part = Part(status, ".SS " + ManWord("qvkdc " + cmd->get_name()), {".SH ", ".SS "});
        EXPECT_FALSE(manual.exitCodes.empty()) << cmd->get_name();
        for (const ExitCode& exit : manual.exitCodes) {
            EXPECT_NE(part.find(".B " + ExitCodeText(exit.code) + "\n"), std::string::npos)
                << cmd->get_name() << " " << exit.code;
        }
        for (const Example& example : manual.examples) {
            EXPECT_NE(examples.find(ManText("qvkdc " + std::string(example.args))), std::string::npos)
                << example.args;
        }
    }
}

// A manual's example is a command line that the parser takes, with the
// command it is listed under.
TEST(CommandDocs, ExamplesAreCommandLinesTheParserTakes) {
    const Parser listing;
    for (const CLI::App* cmd : CommandApps(listing.App())) {
        for (const Example& example : listing.Manual(*cmd).examples) {
            std::vector<std::string> words = {"qvkdc"};
            std::istringstream in(example.args);
            for (std::string word; in >> word;) words.push_back(word);
            ASSERT_GT(words.size(), 1u);
            EXPECT_EQ(words[1], cmd->get_name()) << example.args;
            if (words[1] == "help") continue;  // answered before the parser
            std::vector<const char*> argv;
            for (const std::string& w : words) argv.push_back(w.c_str());
            Parser parser;
            EXPECT_NO_THROW(parser.App().parse(static_cast<int>(argv.size()), argv.data())) << example.args;
            const CLI::App* parsed = parser.App().get_subcommand(words[1]);
            EXPECT_TRUE(parsed->parsed()) << example.args;
            EXPECT_EQ(parsed->remaining().size(), 0u) << example.args;
        }
    }
}

TEST(CommandDocs, CommittedReferenceIsWhatQvkdcWrites) {
    std::ifstream in(QVKDC_SOURCE_DIR "docs/command-line.md", std::ios::binary);
    const std::string committed((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::ostringstream written;
    WriteCommandReference(Parser(), written);
    EXPECT_EQ(committed, written.str())
        << "docs/command-line.md is not what qvkdc writes: cmake --build build --target command-line-reference";
}

TEST(CommandDocs, HiddenHelpOptionsWriteThePageAndTheScriptOrRefuse) {
    const Parser parser;
    const struct {
        std::vector<std::string> args;
        int exitCode;
        const char* outStart;
    } rows[] = {
        {{"--man"}, 0, ".\\\" qvkdc(1)"},
        {{"--markdown"}, 0, "# The command line of qvkdc"},
        {{"--completion", "bash"}, 0, "# bash completion of qvkdc"},
        {{"--completion", "zsh"}, 2, ""},
        {{"--completion"}, 2, ""},
        {{"--man", "export"}, 2, ""},
        {{"--markdown", "export"}, 2, ""},
        {{"--findings"}, 0, "| code |"},
        {{"--findings", "x"}, 2, ""},
        {{"--value-types"}, 0, "| value type |"},
        {{"--value-types", "x"}, 2, ""},
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
