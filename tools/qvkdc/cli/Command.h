// Command: one subcommand of qvkdc, and the list of all of them.
//
// A subcommand is a class of its own (in its own file) that adds its
// options to the parser, says what its manual tells beyond them, and runs
// once they are parsed. Commands() is the
// one place that lists them: the parser, `qvkdc help` and the did-you-mean
// of a mistyped command all take the subcommands from there.
#ifndef QVKDC_TOOLS_CLI_COMMAND_H
#define QVKDC_TOOLS_CLI_COMMAND_H

#include <CLI/CLI.hpp>

#include <memory>
#include <vector>

#include "cli/CommandManual.h"

class Command {
 public:
    virtual ~Command() = default;
    // Adds the command's options and flags to cmd. Options marked required
    // are checked by the parser after every option has been recognised.
    virtual void AddOptions(CLI::App* cmd) = 0;
    // What the manual page, the command-line reference and the footer of
    // --help tell of the command beyond its options.
    virtual CommandManual Manual() const = 0;
    // Runs the command once its command line has been parsed. Returns the
    // exit code (QvkdcExit).
    virtual int Run() = 0;
};

struct CommandInfo {
    const char* name;
    const char* summary;
    std::unique_ptr<Command> (*make)();
};

// Every subcommand, in the order `qvkdc help` lists them.
const std::vector<CommandInfo>& Commands();

#endif  // QVKDC_TOOLS_CLI_COMMAND_H
