// OptionDocs: the commands and options of qvkdc's parser as its manual page,
// its command-line reference and its shell completion show them.
#ifndef QVKDC_TOOLS_CLI_OPTIONDOCS_H
#define QVKDC_TOOLS_CLI_OPTIONDOCS_H

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

// The options the parser knows for app, named ones only, in the order they
// were added (the help flag first).
std::vector<const CLI::Option*> NamedOptions(const CLI::App& app);

// The subcommands of app, in the order they were added.
std::vector<const CLI::App*> CommandApps(const CLI::App& app);

// Every name of opt: "-h", "--help".
std::vector<std::string> OptionWords(const CLI::Option& opt);

bool TakesValue(const CLI::Option& opt);

// The choices of an option that takes one of a set: the type name of such
// an option ends in the set, "FORMAT:{text,json,html}". Empty otherwise.
std::vector<std::string> Choices(const CLI::Option& opt);

// The value of opt as the synopsis shows it: its choices joined by "|"
// ("text|json|html"), else its type name ("FILE"). Empty for a flag.
std::string ValueName(const CLI::Option& opt);

std::string Joined(const std::vector<std::string>& words, const char* separator);

// The description of a command as a sentence: "Write one CSV file per plan."
std::string Sentence(const std::string& description);

#endif  // QVKDC_TOOLS_CLI_OPTIONDOCS_H
