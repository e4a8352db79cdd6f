// Options that several subcommands share.
#ifndef QVKDC_TOOLS_COMMONOPTIONS_H
#define QVKDC_TOOLS_COMMONOPTIONS_H

#include <CLI/CLI.hpp>

#include <memory>
#include <string>

#include "HostSession.h"
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

// Where the library runs and what it traces: --root, --trace, --trace-ids.
void AddRootAndTraceOptions(CLI::App* cmd, HostOptions* host);

// The code page of the texts, for a report in UTF-8: --encoding CODEPAGE.
void AddEncodingOption(CLI::App* cmd, std::string* encoding);

// The code page named by --encoding (option), else the one the loaded
// model names, else the system's (TextEncoding::DefaultName). Null, with
// the reason in *error, for a code page the platform does not know.
std::unique_ptr<TextEncoding> OpenReportEncoding(const std::string& option, std::string* error);

#endif  // QVKDC_TOOLS_COMMONOPTIONS_H
