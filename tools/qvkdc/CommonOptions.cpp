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

void AddEncodingOption(CLI::App* cmd, std::string* encoding) {
    cmd->add_option("--encoding", *encoding,
                     "code page of the texts (tables, model, file names) for the UTF-8 reports, "
                     "e.g. windows-1252, windows-1251, shift_jis (default: the model's, else the system's)");
}

std::unique_ptr<TextEncoding> OpenReportEncoding(const std::string& option, std::string* error) {
    std::string name = option;
    if (name.empty()) name = QvsimModelEncoding();
    if (name.empty()) name = TextEncoding::DefaultName();
    return TextEncoding::Open(name, error);
}
