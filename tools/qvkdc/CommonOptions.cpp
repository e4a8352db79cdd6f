#include "CommonOptions.h"

CLI::Option* AddCallOptions(CLI::App* cmd, HostOptions* host, std::string* out,
                            std::string* name) {
    cmd->add_option("--model", host->model, "model file (JSON)")->required();
    cmd->add_option("--out", *out, "output folder, passed to the library as it stands")
        ->required();
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
