#include "CommonOptions.h"

CLI::Option* AddCallOptions(CLI::App* cmd, HostOptions* host, std::string* out,
                            std::string* name) {
    cmd->add_option("--model", host->model, "model file (JSON)")->required();
    return AddOutputOptions(cmd, host, out, name, true);
}

CLI::Option* AddOutputOptions(CLI::App* cmd, HostOptions* host, std::string* out,
                              std::string* name, bool outRequired) {
    cmd->add_option("--out", *out, "output folder, passed to the library as it stands")
        ->required(outRequired);
    cmd->add_option("--name", *name, "output name (default: empty)");
    return cmd->add_option("--plans", host->plans,
                           "comma-separated 0-based plan indexes (default: all)");
}

void AddRootAndTraceOptions(CLI::App* cmd, HostOptions* host) {
    cmd->add_option("--root", host->root,
                    "working directory of the call; stands for the root of the current drive");
    cmd->add_option("--trace", host->trace, "write the trace to this file");
    cmd->add_option("--trace-ids", host->traceIds,
                    "comma-separated trace ids to switch on (default: all)");
}

void AddLibraryCallFooter(CLI::App* cmd) {
    cmd->footer(
        "Exit codes: 0 library status >= 0; 1 library status < 0; 2 usage or model file error;\n"
        "4 host memory left unreleased; 5 standard output or --trace could not be written (the\n"
        "status line is still printed). Where more than one applies: 5, then 2, 4, 1.");
}

void AddEncodingOption(CLI::App* cmd, EncodingOption* encoding) {
    encoding->option = cmd->add_option(
        "--encoding", encoding->name,
        "code page of the texts (tables, model, file names) for the UTF-8 reports: an ANSI or OEM code page, "
        "e.g. windows-1252, windows-1251, shift_jis, cp850, or utf-8 (default: the model's, else the system's)");
}

std::unique_ptr<TextEncoding> OpenReportEncoding(const EncodingOption& encoding, std::string* error) {
    if (encoding.option->count() > 0) return TextEncoding::Open(encoding.name, error);
    std::string name = QvsimModelEncoding();
    if (name.empty()) name = TextEncoding::DefaultName();
    return TextEncoding::Open(name, error);
}
