#include "cli/ProgramManual.h"

#include "session/HostSession.h"
#include "CnvTblFiles.h"

namespace {

// A root-relative path of the library, "\MIRVANE\CAM\...", below ROOT.
std::string UnderRoot(const char* path) {
    std::string text = "ROOT";
    for (const char* c = path; *c != '\0'; ++c) text += *c == '\\' ? '/' : *c;
    return text;
}

}  // namespace

CommandManual ProgramManual() {
    CommandManual manual;
    manual.notes = "Run 'qvkdc help COMMAND' or 'qvkdc COMMAND --help' for the options of a command.\n";
    manual.details = R"(
qvkdc stands in for the CAM application: it loads a model file
(docs/model-file.md) into the stand-in host and calls the library's two
exported functions, `QvkdcCreOutputDataWp` (`export`) and
`QvkdcIsExistFileWp` (`exists`), or builds the conversion tables by the
library's own steps and prints them (`tables`) or checks them (`check`).

What the options that several commands share do:

- `--out` and `--name` reach the library byte for byte (`--name` defaults
  to the empty text).
- `--plans`: comma-separated 0-based indexes into the model's plans, in the
  order given; default every plan; an empty text gives N = 0. A number
  beyond the model's plans is refused (exit 2). A plan listed twice is
  allowed, with a warning on stderr before the run (its file is written
  each time); when none of the plans selected gives a file (each rejected
  or without processes), `export` says so on stderr after the run, even
  with `--quiet`, and `check --model` warns of both (`plan-selection`).
  Every output of `export` and `check` names a plan by its number in the
  model, the number `--plans` takes, whatever its place in the list.
- `--root DIR`: the library runs with DIR as its working directory, which
  stands for the root of the current drive: the tables and the option file
  are read below it (listed under Files); a relative `--out` is relative to DIR. Other
  paths on the command line are relative to where qvkdc was started.
- `--trace FILE`: tracing on, every trace id at level 1 (with
  `--trace-ids`, only those ids), the trace written to FILE;
  docs/integration.md tells the ids and the lines.
- `--messages FILE`: the message manager's list: the title line if one was
  set, then each message line.

`exists` and `export` (before it writes) warn of each plan file whose name
is longer than the file system of its folder takes for a name (255 bytes on
Linux's usual file systems, as `pathconf` tells; 255 on Windows): the
library accepts paths up to 511 characters, but the export would fail at
that file.

A mistyped command or option is named, with the nearest valid one
(`qvkdc export: unknown option --modle; did you mean --model?`).

The last line on standard output of every command that calls the library
is `status: N`, the library's status. `help` and `--version` print to
standard output and exit 0. docs/exit-codes.md tells the exit codes in
detail.
)";
    manual.exitCodes = {
        {kExitOk, "library status >= 0 (check: no error)"},
        {kExitFailed, "library status < 0 (check: an error; diff: a change)"},
        {kExitUsage, "usage or model file error"},
        {kExitExists, "export declined to overwrite"},
        {kExitHostMemory, "host memory left unreleased"},
        {kExitOutput,
         "an output of qvkdc's own (standard output, the trace, the message list, a report) could not "
         "be written"},
        {kExitSignal,
         "on POSIX an export interrupted by SIGINT or SIGTERM tells what it wrote, then ends by that "
         "signal (a shell reports 130, 143)"},
    };
    return manual;
}

CommandManual HelpManual() {
    CommandManual manual;
    manual.details = R"(
Without a COMMAND, `help` lists the commands and the options of qvkdc
itself; with one, the options of that command and its exit codes, as
`qvkdc COMMAND --help` does.

The build writes the manual page, the bash completion and
docs/command-line.md with `qvkdc help --man`, `qvkdc help --completion bash`
and `qvkdc help --markdown`, so that none of them can miss an option.
)";
    manual.exitCodes = {
        {kExitOk, "the help was printed"},
        {kExitUsage, "an unknown command, or an argument too many"},
        {kExitOutput, "standard output could not be written"},
    };
    manual.examples = {{"help check", "The options of check and its exit codes."}};
    return manual;
}

std::vector<ManualFile> ManualFiles() {
    // The tables share one folder; the page names it once, with the files.
    const std::string first = UnderRoot(kCnvTblFiles[0].path);
    const std::string folder = first.substr(0, first.rfind('/') + 1);
    std::string names;
    for (const CnvTblFile& table : kCnvTblFiles) {
        const std::string path = UnderRoot(table.path);
        names += (names.empty() ? "" : ", ") + path.substr(path.rfind('/') + 1);
    }
    return {
        {folder, "The six conversion tables, tab-separated text: " + names +
                     ". docs/configuration.md tells what each row and cell means."},
        {UnderRoot(kOptionFilePath),
         "The user's option file: the titles of extra columns, one a line (optional)."},
        {"OUT/NAME.csv, OUT/NAME000.csv, ...",
         "What `export` writes: one CSV file per plan into the `--out` folder, numbered by the plan's "
         "position when there are several plans, named after the plan when NAME is blank."},
    };
}

std::string ManualFilesRoot() {
    return "ROOT is the folder given with `--root`, else the working directory. It stands for the root "
           "of the current drive, where the library reads its files on Windows (`" +
           std::string(kCnvTblFiles[0].path) + "`, ...); on Windows give a drive root, such as `S:/`.";
}

const std::vector<ManualDocument>& ManualDocuments() {
    static const std::vector<ManualDocument> kDocuments = {
        {"README", "What Qvkdc is, the quick start and the list of documents", "README.md"},
        {"configuration", "Configuring the tables and the option file", "docs/configuration.md"},
        {"check", "The findings of check", "docs/check.md"},
        {"diff", "What a change of the tables does to the files", "docs/diff.md"},
        {"model file", "The model file", "docs/model-file.md"},
        {"exit codes", "Exit codes and qvkdc's own outputs", "docs/exit-codes.md"},
        {"integration", "Integrating the library into a host application", "docs/integration.md"},
        {"Windows and release", "The Windows build and the release archives", "docs/windows.md"},
        {"demo shop", "The demo shop", "examples/shop/README.md"},
    };
    return kDocuments;
}
