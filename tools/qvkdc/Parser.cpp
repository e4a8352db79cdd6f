#include "Parser.h"

#include "qvkdc/qvkdc.h"

Parser::Parser()
    : app_("qvkdc: export the machining knowledge of CAM plans as CSV files", "qvkdc") {
    app_.set_version_flag("--version", std::string("qvkdc ") + QVKDC_VERSION_STRING);
    app_.allow_extras();
    app_.footer(
        "Run 'qvkdc help COMMAND' or 'qvkdc COMMAND --help' for the options of a command.\n"
        "Exit codes: 0 library status >= 0; 1 library status < 0; 2 usage or model file error;\n"
        "3 export declined to overwrite; 4 host memory left unreleased; 5 an output of qvkdc's\n"
        "own (standard output, the trace, the message list, a report) could not be written.\n"
        "Where more than one applies: 5, then 2, 4, 3, 1. On POSIX an export interrupted by\n"
        "SIGINT or SIGTERM tells what it wrote, then ends by that signal (a shell reports 130, 143).");

    for (const CommandInfo& info : Commands()) {
        Subcommand sub{info.name, app_.add_subcommand(info.name, info.summary), info.make()};
        sub.app->allow_extras();
        sub.command->AddOptions(sub.app);
        names_.push_back(sub.name);
        subs_.push_back(std::move(sub));
    }
    // Listed with the commands; main answers it before the parser sees it,
    // since its topic is a command's name (so it has no --help of its own).
    app_.add_subcommand("help", "list the commands, or the options of one")->set_help_flag();
    names_.push_back("help");
}
