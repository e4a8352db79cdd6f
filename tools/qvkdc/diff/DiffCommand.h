// `qvkdc diff --model FILE [--root NEW] (--base OLD | --out DIR) [--name
// NAME] [--plans LIST] [--encoding CODEPAGE] [--ignore-column TITLE]...
// [--format text|json] [--report FILE]`: what a change of the tables does
// to the CSV files: the model exported through the old tables (--base) or
// as the files in --out hold it, against the export through the new ones,
// file by file, column by column and cell by cell, with the table rows
// that made each change. Both exports run in process and write nothing.
#ifndef QVKDC_TOOLS_DIFF_DIFFCOMMAND_H
#define QVKDC_TOOLS_DIFF_DIFFCOMMAND_H

#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/CommonOptions.h"
#include "session/HostSession.h"

class DiffCommand : public Command {
 public:
    void AddOptions(CLI::App* cmd) override;
    CommandManual Manual() const override;
    // Writes the report to standard output, or to --report with the summary
    // line on standard output. Returns 0 when nothing changed, 1 when
    // something did (a side whose export fails included), 2 for a bad
    // option, model file or root, 5 when the report cannot be written.
    int Run() override;

 private:
    HostOptions host_;  // --root (the new side), --model, --plans
    std::string base_;
    std::string out_;
    std::string name_;
    CLI::Option* baseOption_ = nullptr;
    CLI::Option* outOption_ = nullptr;
    CLI::Option* plans_ = nullptr;
    std::vector<std::string> ignoredColumns_;
    std::string format_ = "text";
    std::string report_;
    EncodingOption encoding_;
};

#endif  // QVKDC_TOOLS_DIFF_DIFFCOMMAND_H
