// CommandDocs: the manual page qvkdc(1), the command-line reference
// (CommandReference.h) and the bash completion of qvkdc, written from its
// parser (Parser.h): every command the parser knows, each with every option
// it takes, the option's value and the description that `qvkdc help
// COMMAND` shows, and what each command's manual adds (CommandManual.h).
// The build writes them with the options of `help` that it lists nowhere
// else, `qvkdc help --man`, `--markdown` and `--completion bash`, and
// installs the page and the completion.
// The findings table of docs/check.md is written from the check's list of
// finding codes (check/FindingCodes.h) by `qvkdc help --findings`.
#ifndef QVKDC_TOOLS_CLI_COMMANDDOCS_H
#define QVKDC_TOOLS_CLI_COMMANDDOCS_H

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Parser.h"

// Whether arg, the first word after `help`, asks for one of them: "--man",
// "--markdown", "--completion" or "--findings".
bool IsDocsOption(const std::string& arg);

// Writes what args ask for ({"--man"}, {"--markdown"}, {"--completion",
// SHELL} or {"--findings"}) to out and returns kExitOk; a wrong request is
// told on err and returns kExitUsage.
int WriteDocs(const Parser& parser, const std::vector<std::string>& args, std::ostream& out,
              std::ostream& err);

// The manual page, in the man macros of roff: the synopsis, the options of
// each command with its notes and details, the files, the exit status of
// each command, the examples.
void WriteManPage(const Parser& parser, std::ostream& out);

// A bash completion script: commands, options of each command, the choices
// of an option that has them, command names after `help`, and file names
// for other option values (readline's default).
void WriteBashCompletion(const Parser& parser, std::ostream& out);

// A paragraph of a manual as one roff text line: what stands in backticks
// in bold and never hyphenated, a hyphen that starts a word (an option,
// also after "(" or another hyphen) or stands in backticks as a minus
// sign, a backslash escaped, and a line that would start as a request made
// plain.
std::string RoffText(std::string_view text);

// The Markdown table of every finding code: code, severity, what it means
// and its usual fix.
void WriteFindingTable(std::ostream& out);

// The Markdown table of the value types, from the library's table: what a
// column of each keyword writes, with an example cell; the keywords of one
// form share a row when it writes nothing.
void WriteValueTypeTable(std::ostream& out);

#endif  // QVKDC_TOOLS_CLI_COMMANDDOCS_H
