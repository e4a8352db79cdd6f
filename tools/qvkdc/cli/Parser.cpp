#include "cli/Parser.h"

#include "cli/ProgramManual.h"
#include "qvkdc/qvkdc.h"

Parser::Parser()
    : app_("qvkdc: export the machining knowledge of CAM plans as CSV files", "qvkdc") {
    app_.set_version_flag("--version", std::string("qvkdc ") + QVKDC_VERSION_STRING);
    app_.footer(HelpFooter(ProgramManual()));

    for (const CommandInfo& info : Commands()) {
        Subcommand sub{info.name, app_.add_subcommand(info.name, info.summary), info.make()};
        sub.app->allow_extras();
        sub.command->AddOptions(sub.app);
        sub.app->footer(HelpFooter(sub.command->Manual()));
        names_.push_back(sub.name);
        subs_.push_back(std::move(sub));
    }
    // Listed with the commands; main answers it before the parser sees it,
    // since its topic is a command's name (so it has no --help of its own).
    CLI::App* help = app_.add_subcommand("help", "list the commands, or the options of one");
    help->set_help_flag();
    help_ = help;
    names_.push_back("help");
}

CommandManual Parser::Manual(const CLI::App& app) const {
    if (&app == &app_) return ProgramManual();
    if (&app == help_) return HelpManual();
    for (const Subcommand& sub : subs_) {
        if (sub.app == &app) return sub.command->Manual();
    }
    return CommandManual();
}
