// `qvkdc check [--root DIR] [--model FILE [--out DIR] [--name NAME]
// [--plans LIST]] [--format text|json|html] [--report FILE]
// [--encoding CODEPAGE] [--strict] [--ignore CODE]...`: finds the mistakes in the conversion
// tables, the user option file and (with --model) a model that would make
// an export fail or write empty cells, shifted columns or misplaced files;
// with --out, also every output file that export would fail at. It runs the
// library's own steps in process (never its exported functions); the checks
// themselves are in check/.
#ifndef QVKDC_TOOLS_CHECK_CHECKCOMMAND_H
#define QVKDC_TOOLS_CHECK_CHECKCOMMAND_H

#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/CommonOptions.h"
#include "session/HostSession.h"
#include "check/ExportCall.h"
#include "check/FindingCodes.h"

class CheckCommand : public Command {
 public:
    void AddOptions(CLI::App* cmd) override;
    CommandManual Manual() const override;
    // Writes the report to standard output, or to --report with the summary
    // line on standard output. Returns 0 when there is no error (with
    // --strict: and no warning), 1 when there is one, 2 for a model file
    // or root that cannot be used, --out, --name or --plans without
    // --model, or an --ignore of a code that is no finding's or only an
    // error's, 5 when the report cannot be written.
    int Run() override;

 private:
    // One check, its report written to report (a path; "": standard
    // output), or, when page is given, its HTML page into *page. Returns the
    // exit code as Run does.
    int CheckOnce(const std::vector<FindingCode>& ignored, const std::string& report, std::string* page);
    // --serve: the page served and checked again at each change.
    int Serve(const std::vector<FindingCode>& ignored);

    HostOptions host_;  // --root, --model, --plans
    ExportCall call_;   // --out, --name, --plans
    CLI::Option* out_ = nullptr;
    CLI::Option* name_ = nullptr;
    CLI::Option* plans_ = nullptr;
    std::string format_ = "text";
    std::string report_;
    EncodingOption encoding_;
    bool strict_ = false;
    std::vector<std::string> ignore_;
    bool serve_ = false;  // --serve
    int port_ = 0;        // --port
    bool open_ = false;   // --open
    std::string lastSummary_;  // of the last CheckOnce with a page: its summary, or why it could not run
};

#endif  // QVKDC_TOOLS_CHECK_CHECKCOMMAND_H
