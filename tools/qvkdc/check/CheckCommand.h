// `qvkdc check [--root DIR] [--model FILE] [--format text|json|html]
// [--out FILE]`: finds the mistakes in the conversion tables, the user
// option file and (with --model) a model that would make an export fail or
// write empty cells, shifted columns or misplaced files.
#ifndef QVKDC_TOOLS_CHECK_CHECKCOMMAND_H
#define QVKDC_TOOLS_CHECK_CHECKCOMMAND_H

#include <string>

namespace CLI {
class App;
}

struct CheckOptions {
    std::string root;
    std::string model;
    std::string format = "text";
    std::string out;
};

// Adds the subcommand and its options to app.
CLI::App* AddCheckCommand(CLI::App* app, CheckOptions* options);

// Runs the check and writes the report to standard output, or to --out
// with the summary line on standard output. Returns the exit code: 0 when
// there is no error, 1 when there is one, 2 for a model file, root or
// output file that cannot be used.
int RunCheck(const CheckOptions& options);

#endif  // QVKDC_TOOLS_CHECK_CHECKCOMMAND_H
