// Options that several subcommands share.
#ifndef QVKDC_TOOLS_CLI_COMMONOPTIONS_H
#define QVKDC_TOOLS_CLI_COMMONOPTIONS_H

#include <CLI/CLI.hpp>

#include <memory>
#include <string>
#include <vector>

#include "cli/CommandManual.h"
#include "session/HostSession.h"
#include "TextEncoding.h"

// The plans and files of a call: --model (required), --out (required),
// --name, --plans. Returns the --plans option, whose count tells whether
// it was given.
CLI::Option* AddCallOptions(CLI::App* cmd, HostOptions* host, std::string* out,
                            std::string* name);

// The files and plans of a call alone, with the same meaning: --out
// (required when outRequired), --name, --plans. Returns the --plans option.
CLI::Option* AddOutputOptions(CLI::App* cmd, HostOptions* host, std::string* out,
                              std::string* name, bool outRequired);

// Refuses a value with a control character (a line end, a tab, ...): an
// output name holding one makes a file name that Windows refuses and that
// breaks every line a report tells it on.
extern const CLI::Validator kNoControlCharacter;

// Where the library runs and what it traces: --root, --trace, --trace-ids.
void AddRootAndTraceOptions(CLI::App* cmd, HostOptions* host);

// The exit codes of `exists` and `tables`.
std::vector<ExitCode> LibraryCallExitCodes();

// --encoding CODEPAGE: the code page of the texts, for a report in UTF-8.
struct EncodingOption {
    std::string name;
    CLI::Option* option = nullptr;  // whether it was given, by its count
};
void AddEncodingOption(CLI::App* cmd, EncodingOption* encoding);

// The code page named by --encoding when it was given (an empty name
// included), else the one the loaded model names, else the system's
// (TextEncoding::DefaultName). Null, with the reason in *error (one line),
// for a name that is no host's code page (HostCodePage) or one the
// platform cannot convert.
// REQUIRES: AddEncodingOption(cmd, &encoding) and cmd parsed.
std::unique_ptr<TextEncoding> OpenReportEncoding(const EncodingOption& encoding, std::string* error);

#endif  // QVKDC_TOOLS_CLI_COMMONOPTIONS_H
