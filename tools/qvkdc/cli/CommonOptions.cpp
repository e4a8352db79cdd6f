#include "cli/CommonOptions.h"

#include <cstdio>

#include "qvhostsim/qvhostsim.h"

const CLI::Validator kNoControlCharacter(
    [](const std::string& value) -> std::string {
        for (const char c : value) {
            const auto u = static_cast<unsigned char>(c);
            if (u >= 0x20 && u != 0x7F) continue;
            char hex[sizeof "0x00"];
            std::snprintf(hex, sizeof hex, "0x%02X", u);
            return std::string("holds the control character ") + hex;
        }
        return std::string();
    },
    "", "no control character");

CLI::Option* AddCallOptions(CLI::App* cmd, HostOptions* host, std::string* out,
                            std::string* name) {
    cmd->add_option("--model", host->model, "model file (JSON)")->type_name("FILE")->required();
    return AddOutputOptions(cmd, host, out, name, true);
}

CLI::Option* AddOutputOptions(CLI::App* cmd, HostOptions* host, std::string* out,
                              std::string* name, bool outRequired) {
    cmd->add_option("--out", *out, "output folder, passed to the library as it stands")
        ->type_name("DIR")
        ->required(outRequired);
    cmd->add_option("--name", *name, "output name (default: empty)")->type_name("NAME")->check(kNoControlCharacter);
    return cmd
        ->add_option("--plans", host->plans, "comma-separated 0-based plan indexes (default: all)")
        ->type_name("LIST");
}

void AddRootAndTraceOptions(CLI::App* cmd, HostOptions* host) {
    cmd->add_option("--root", host->root,
                    "working directory of the call; stands for the root of the current drive")
        ->type_name("DIR");
    cmd->add_option("--trace", host->trace, "write the trace to this file")->type_name("FILE");
    cmd->add_option("--trace-ids", host->traceIds,
                    "comma-separated trace ids to switch on (default: all)")
        ->type_name("LIST");
}

std::vector<ExitCode> LibraryCallExitCodes() {
    return {
        {kExitOk, "library status >= 0"},
        {kExitFailed, "library status < 0"},
        {kExitUsage, "usage or model file error"},
        {kExitHostMemory, "host memory left unreleased"},
        {kExitOutput,
         "standard output or --trace could not be written (the status line is still printed)"},
    };
}

void AddEncodingOption(CLI::App* cmd, EncodingOption* encoding) {
    encoding->option = cmd->add_option(
        "--encoding", encoding->name,
        "code page of the texts (tables, model, file names) for the UTF-8 reports: an ANSI or OEM code page, "
        "e.g. windows-1252, windows-1251, shift_jis, cp850, or utf-8 (default: the model's, else the system's)")
        ->type_name("CODEPAGE");
}

std::unique_ptr<TextEncoding> OpenReportEncoding(const EncodingOption& encoding, std::string* error) {
    if (encoding.option->count() > 0) return TextEncoding::Open(encoding.name, error);
    std::string name = QvsimModelEncoding();
    if (name.empty()) name = TextEncoding::DefaultName();
    return TextEncoding::Open(name, error);
}
