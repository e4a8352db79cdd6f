// CommandManual: what qvkdc's manual page and its command-line reference say
// of a command beyond what the parser knows of it: notes below its options,
// the longer explanation, its exit codes and examples. Each command gives
// its own (Command::Manual); the parser makes the footer of the command's
// --help from it, so that the help, the page and the reference tell the
// same exit codes.
#ifndef QVKDC_TOOLS_CLI_COMMANDMANUAL_H
#define QVKDC_TOOLS_CLI_COMMANDMANUAL_H

#include <string>
#include <vector>

#include "system/ExitCodes.h"

// Stands for the status of a run that a signal ended: 128 + the signal's
// number, as a shell reports it.

struct ExitCode {
    int code;             // a QvkdcExit, or kExitSignal
    const char* meaning;  // one line
};

struct Example {
    const char* args;  // the command line after "qvkdc", its words split at blanks
    const char* what;  // what it does, one sentence
};

struct CommandManual {
    // Shown below the options by --help, before the exit codes. Lines end
    // with "\n"; the page and the reference fill them into one paragraph.
    std::string notes;
    // The page and the reference only: paragraphs, separated by an empty
    // line. A line that starts with "- " starts an item of a list, its
    // further lines indented. Text in backticks is a word to type or a text
    // qvkdc prints.
    std::string details;
    std::vector<ExitCode> exitCodes;  // in the order of their numbers
    std::vector<Example> examples;
};

// The code as the manual shows it: "2", or "128+N" for kExitSignal.
std::string ExitCodeText(int code);

// "Where more than one applies: 5, then 2, 4, 1.": the codes of exitCodes
// but 0, in the order in which one wins over another (a signal first, then
// as CombinedExit decides). Empty with fewer than two such codes.
std::string ExitPrecedence(const std::vector<ExitCode>& exitCodes);

// The footer of a command's --help: the notes, then "Exit codes:" with one
// code a line, and the precedence.
std::string HelpFooter(const CommandManual& manual);

// The paragraphs of text (notes or details), items of a list included (they
// keep their "- "): each paragraph's lines joined into one line, the blanks
// at the line ends dropped.
std::vector<std::string> Paragraphs(const std::string& text);

#endif  // QVKDC_TOOLS_CLI_COMMANDMANUAL_H
