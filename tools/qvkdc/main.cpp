// qvkdc: the command-line host. It stands in for the CAM application: it
// loads a model file into the stand-in host and calls the library's two
// exported functions, or builds the conversion tables and prints or checks
// them.
//
// The subcommands come from Commands(), through Parser. Whatever the parser
// does not recognise is reported first, with the nearest valid name. Every
// command's standard output is checked to its close (StandardOutput).
#include <CLI/CLI.hpp>

#include <iostream>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/CommandDocs.h"
#include "session/HostSession.h"
#include "system/Interruption.h"
#include "cli/Parser.h"
#include "system/StandardOutput.h"
#include "cli/Suggest.h"
#include "system/SystemFiles.h"

namespace {

std::vector<std::string> OptionNames(const CLI::App& app) {
    std::vector<std::string> names;
    for (const CLI::Option* opt : app.get_options()) {
        for (const std::string& name : opt->get_lnames()) names.push_back("--" + name);
    }
    return names;
}

// Reports the first argument that the parser of `app` left over: an unknown
// option, an unknown command (when commands are given) or an unexpected
// argument, with the nearest valid name. False when nothing was left over.
bool ReportLeftOver(const CLI::App& app, const std::string& who,
                    const std::vector<std::string>& commands) {
    const std::vector<std::string> rest = app.remaining();
    if (rest.empty()) return false;
    const std::string& first = rest.front();
    std::string nearest;
    if (first.size() > 1 && first[0] == '-') {
        const std::string option = first.substr(0, first.find('='));
        std::cerr << who << ": unknown option " << option;
        const std::vector<std::string> options = OptionNames(app);
        nearest = Nearest(option, Views(options), kCommandLineRule);
    } else if (!commands.empty()) {
        std::cerr << who << ": unknown command " << first;
        nearest = Nearest(first, Views(commands), kCommandLineRule);
    } else {
        std::cerr << who << ": unexpected argument " << first;
    }
    if (!nearest.empty()) std::cerr << "; did you mean " << nearest << "?";
    std::cerr << '\n';
    return true;
}

int Help(const CLI::App& app, const std::vector<Subcommand>& subs,
         const std::vector<std::string>& names, const std::string& topic) {
    if (topic.empty()) {
        std::cout << app.get_formatter()->make_help(&app, "qvkdc", CLI::AppFormatMode::Normal);
        return kExitOk;
    }
    for (const Subcommand& sub : subs) {
        if (sub.name == topic) {
            std::cout << sub.app->help("qvkdc");
            return kExitOk;
        }
    }
    std::cerr << "qvkdc help: unknown command " << topic;
    const std::string nearest = Nearest(topic, Views(names), kCommandLineRule);
    if (!nearest.empty()) std::cerr << "; did you mean " << nearest << "?";
    std::cerr << '\n';
    return kExitUsage;
}

// The command line's command, run. Returns the exit code.
int Run(int argc, char** argv) {
    Parser parser;
    CLI::App& app = parser.App();
    std::vector<Subcommand>& subs = parser.Subcommands();
    const std::vector<std::string>& names = parser.Names();
    if (argc >= 2 && std::string(argv[1]) == "help") {
        // The manual page and the completion scripts, which the build
        // makes: `help --man`, `help --completion SHELL`. Not listed.
        if (argc >= 3 && IsDocsOption(argv[2])) {
            return WriteDocs(parser, std::vector<std::string>(argv + 2, argv + argc), std::cout,
                             std::cerr);
        }
        if (argc > 3) {
            std::cerr << "qvkdc help: unexpected argument " << argv[3] << '\n';
            return kExitUsage;
        }
        return Help(app, subs, names, argc == 3 ? argv[2] : "");
    }

    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {
        return app.exit(e);  // --help, --version
    } catch (const CLI::ParseError& e) {
        // A mistyped option explains a failure better than what it caused,
        // such as a required option that then seems missing.
        for (const Subcommand& sub : subs) {
            if (*sub.app && ReportLeftOver(*sub.app, "qvkdc " + sub.name, {})) return kExitUsage;
            if (*sub.app) {
                std::cerr << "qvkdc " << sub.name << ": " << e.what() << '\n';
                return kExitUsage;
            }
        }
        if (!ReportLeftOver(app, "qvkdc", names)) std::cerr << "qvkdc: " << e.what() << '\n';
        return kExitUsage;
    }

    for (const Subcommand& sub : subs) {
        if (!*sub.app) continue;
        if (ReportLeftOver(*sub.app, "qvkdc " + sub.name, {})) return kExitUsage;
        return sub.command->Run();
    }
    if (ReportLeftOver(app, "qvkdc", names)) return kExitUsage;
    std::cerr << "qvkdc: a command is required: " ;
    for (std::size_t i = 0; i < names.size(); ++i) std::cerr << (i ? ", " : "") << names[i];
    std::cerr << " (qvkdc help lists them)\n";
    return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    // A file size limit makes a write fail, as a full disk would, and the
    // library removes the partial file.
    KeepRunningPastFileSizeLimit();
    StandardOutput out;
    const int code = StandardOutput::Close(Run(argc, argv));
    // An export interrupted by a signal has told what it did; now the
    // signal ends qvkdc, as it would have.
    Interruption::EndBySignal();
    return code;
}
