// Parser: qvkdc's command line as the parser knows it: the top-level
// options, one subcommand for each entry of Commands() with the options its
// command adds, and `help`. main.cpp parses with it, and the manual page, the
// command-line reference and the shell completion (CommandDocs.h) are written
// from it, so that none of them can name a command or an option the parser
// does not know, or miss one.
#ifndef QVKDC_TOOLS_CLI_PARSER_H
#define QVKDC_TOOLS_CLI_PARSER_H

#include <CLI/CLI.hpp>

#include <memory>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/CommandManual.h"

struct Subcommand {
    std::string name;
    CLI::App* app;
    std::unique_ptr<Command> command;
};

class Parser {
 public:
    Parser();
    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;

    CLI::App& App() { return app_; }
    const CLI::App& App() const { return app_; }
    // The subcommands of Commands(), in its order (without `help`).
    std::vector<Subcommand>& Subcommands() { return subs_; }
    const std::vector<Subcommand>& Subcommands() const { return subs_; }
    // Every command name, `help` last.
    const std::vector<std::string>& Names() const { return names_; }
    // What the manual tells of app beyond its options: of the program when
    // app is App(), else of that subcommand (`help` included); an empty
    // manual for an app that is neither.
    CommandManual Manual(const CLI::App& app) const;

 private:
    CLI::App app_;
    std::vector<Subcommand> subs_;
    std::vector<std::string> names_;
    const CLI::App* help_ = nullptr;
};

#endif  // QVKDC_TOOLS_CLI_PARSER_H
