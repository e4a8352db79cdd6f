// ProgramManual: what qvkdc's manual page and its command-line reference
// say of the program as a whole and of `help`, beyond what the parser
// knows: the options several commands share, the files the library reads,
// every exit code, and the documents to read next. The commands' own parts
// are theirs (Command::Manual).
#ifndef QVKDC_TOOLS_CLI_PROGRAMMANUAL_H
#define QVKDC_TOOLS_CLI_PROGRAMMANUAL_H

#include <string>
#include <vector>

#include "cli/CommandManual.h"

// The program: notes for `qvkdc --help`, what the commands share, and
// every exit code.
CommandManual ProgramManual();

// `qvkdc help [COMMAND]`.
CommandManual HelpManual();

struct ManualFile {
    std::string path;  // as qvkdc meets it, "ROOT/MIRVANE/..."
    std::string what;  // one sentence
};

// The files the library reads below the root, from the library's own list:
// the folder of the tables, with their names, and the option file.
std::vector<ManualFile> ManualFiles();

// What ROOT in ManualFiles stands for, one paragraph.
std::string ManualFilesRoot();

struct ManualDocument {
    const char* name;   // as a line of links shows it, "check"
    const char* title;  // one line
    const char* path;   // below the documentation folder, "docs/check.md"
};

// The documents installed with qvkdc that the page and the reference point
// to, the README first.
const std::vector<ManualDocument>& ManualDocuments();

#endif  // QVKDC_TOOLS_CLI_PROGRAMMANUAL_H
