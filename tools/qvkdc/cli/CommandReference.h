// CommandReference: qvkdc's command-line reference in Markdown, written from
// its parser and the commands' manuals as the manual page is
// (CommandDocs.h): the synopsis, what the commands share, and for each
// command its options, notes, details, exit codes and examples; then the
// files and every exit code. `qvkdc help --markdown` writes it; the
// project keeps it as docs/command-line.md, and a test fails when that file
// differs from what qvkdc writes.
#ifndef QVKDC_TOOLS_CLI_COMMANDREFERENCE_H
#define QVKDC_TOOLS_CLI_COMMANDREFERENCE_H

#include <ostream>

#include "cli/Parser.h"

void WriteCommandReference(const Parser& parser, std::ostream& out);

#endif  // QVKDC_TOOLS_CLI_COMMANDREFERENCE_H
