// Options that several subcommands share.
#ifndef QVKDC_TOOLS_COMMONOPTIONS_H
#define QVKDC_TOOLS_COMMONOPTIONS_H

#include <CLI/CLI.hpp>

#include <string>

#include "HostSession.h"

// The plans and files of a call: --model (required), --out (required),
// --name, --plans. Returns the --plans option, whose count tells whether
// it was given.
CLI::Option* AddCallOptions(CLI::App* cmd, HostOptions* host, std::string* out,
                            std::string* name);

// Where the library runs and what it traces: --root, --trace, --trace-ids.
void AddRootAndTraceOptions(CLI::App* cmd, HostOptions* host);

#endif  // QVKDC_TOOLS_COMMONOPTIONS_H
