#include "CommandDocs.h"

#include <string_view>

#include "HostSession.h"
#include "check/FindingCodes.h"
#include "qvkdc/qvkdc.h"

namespace {

// The options the parser knows for app, named ones only, in the order they
// were added (the help flag first).
std::vector<const CLI::Option*> NamedOptions(const CLI::App& app) {
    return app.get_options([](const CLI::Option* opt) {
        return !opt->get_lnames().empty() || !opt->get_snames().empty();
    });
}

std::vector<const CLI::App*> CommandApps(const CLI::App& app) {
    return app.get_subcommands([](const CLI::App*) { return true; });
}

// Every name of opt: "-h", "--help".
std::vector<std::string> OptionWords(const CLI::Option& opt) {
    std::vector<std::string> words;
    for (const std::string& s : opt.get_snames()) words.push_back("-" + s);
    for (const std::string& l : opt.get_lnames()) words.push_back("--" + l);
    return words;
}

bool TakesValue(const CLI::Option& opt) { return opt.get_items_expected_max() > 0; }

// The choices of an option that takes one of a set: the type name of such
// an option ends in the set, "TEXT:{text,json,html}". Empty otherwise.
std::vector<std::string> Choices(const CLI::Option& opt) {
    const std::string type = opt.get_type_name();
    const std::size_t open = type.find(":{");
    if (open == std::string::npos || type.back() != '}') return {};
    std::vector<std::string> choices;
    std::string_view rest(type);
    rest = rest.substr(open + 2, rest.size() - open - 3);
    while (!rest.empty()) {
        const std::size_t comma = rest.find(',');
        choices.emplace_back(rest.substr(0, comma));
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    return choices;
}

std::string Joined(const std::vector<std::string>& words, const char* separator) {
    std::string text;
    for (const std::string& w : words) text += (text.empty() ? "" : separator) + w;
    return text;
}

// ---- roff ----

// Text as roff prints it: a backslash escaped, and a line that would start
// with a control character made plain.
std::string Roff(std::string_view text) {
    std::string out;
    bool lineStart = true;
    for (const char c : text) {
        if (lineStart && (c == '.' || c == '\'')) out += "\\&";
        if (c == '\\') {
            out += "\\e";
        } else {
            out += c;
        }
        lineStart = c == '\n';
    }
    return out;
}

// A command-line word in bold, its hyphens as minus signs (so that it can be
// copied and searched for).
std::string RoffWord(std::string_view word) {
    std::string out = "\\fB";
    for (const char c : word) out += c == '-' ? std::string("\\-") : Roff(std::string(1, c));
    return out + "\\fR";
}

// "\fB\-\-model\fR\~\fITEXT\fR": an option as the synopsis and the option
// list show it, its value on the same line.
std::string RoffOption(const CLI::Option& opt, const char* separator) {
    std::string text;
    for (const std::string& word : OptionWords(opt)) {
        if (!text.empty()) text += separator;
        text += RoffWord(word);
    }
    if (TakesValue(opt)) text += "\\~\\fI" + Roff(opt.get_type_name()) + "\\fR";
    return text;
}

void WriteRoffOptions(const CLI::App& app, std::ostream& out) {
    for (const CLI::Option* opt : NamedOptions(app)) {
        out << ".TP\n" << RoffOption(*opt, ", ") << '\n' << Roff(opt->get_description());
        if (opt->get_required()) out << " (required)";
        out << '\n';
    }
}

std::string Upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

// The description of the program without its leading "qvkdc: ".
std::string Summary(const CLI::App& app) {
    std::string text = app.get_description();
    const std::string prefix = app.get_name() + ": ";
    if (text.compare(0, prefix.size(), prefix) == 0) text.erase(0, prefix.size());
    return text;
}

// ---- bash ----

// A shell word in single quotes.
std::string Quoted(std::string_view word) {
    std::string out = "'";
    for (const char c : word) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// The case branch of one command: the value of an option, else its options.
void WriteBashCommand(const CLI::App& cmd, std::ostream& out) {
    std::vector<std::string> words;
    std::vector<std::string> files;
    out << "    " << cmd.get_name() << ")\n        case $prev in\n";
    for (const CLI::Option* opt : NamedOptions(cmd)) {
        const std::vector<std::string> names = OptionWords(*opt);
        words.insert(words.end(), names.begin(), names.end());
        if (!TakesValue(*opt)) continue;
        const std::vector<std::string> choices = Choices(*opt);
        if (choices.empty()) {
            files.insert(files.end(), names.begin(), names.end());
        } else {
            out << "        " << Joined(names, "|") << ") COMPREPLY=($(compgen -W "
                << Quoted(Joined(choices, " ")) << " -- \"$cur\")); return ;;\n";
        }
    }
    // Readline's default completion, file names, takes over when COMPREPLY
    // stays empty.
    if (!files.empty()) out << "        " << Joined(files, "|") << ") return ;;\n";
    out << "        esac\n        COMPREPLY=($(compgen -W " << Quoted(Joined(words, " "))
        << " -- \"$cur\")) ;;\n";
}

}  // namespace

bool IsDocsOption(const std::string& arg) {
    return arg == "--man" || arg == "--completion" || arg == "--findings";
}

int WriteDocs(const Parser& parser, const std::vector<std::string>& args, std::ostream& out,
              std::ostream& err) {
    if (args.size() == 1 && args[0] == "--man") {
        WriteManPage(parser, out);
        return kExitOk;
    }
    if (args.size() == 2 && args[0] == "--completion" && args[1] == "bash") {
        WriteBashCompletion(parser, out);
        return kExitOk;
    }
    if (args.size() == 1 && args[0] == "--findings") {
        WriteFindingTable(out);
        return kExitOk;
    }
    err << "qvkdc help: use --man, --completion bash or --findings\n";
    return kExitUsage;
}

void WriteManPage(const Parser& parser, std::ostream& out) {
    const CLI::App& app = parser.App();
    const std::string name = app.get_name();
    out << ".\\\" " << name << "(1), written by `" << name
        << " help --man` from the commands and options its parser knows.\n"
        << ".TH " << Upper(name) << " 1 \"\" \"" << name << ' ' << QVKDC_VERSION_STRING
        << "\" \"User Commands\"\n"
        << ".nh\n.ad l\n"
        << ".SH NAME\n" << name << " \\- " << Roff(Summary(app)) << '\n'
        << ".SH SYNOPSIS\n";
    // .SY NAME ... .YS: one command line, its continuation lines indented.
    for (const CLI::App* cmd : CommandApps(app)) {
        out << ".SY " << name << '\n' << RoffWord(cmd->get_name());
        if (cmd->get_name() == "help") out << " [\\fICOMMAND\\fR]";
        for (const CLI::Option* opt : NamedOptions(*cmd)) {
            if (opt == cmd->get_help_ptr()) continue;
            const std::string shown = RoffOption(*opt, "|");
            out << ' ' << (opt->get_required() ? shown : "[" + shown + "]");
        }
        out << "\n.YS\n";
    }
    out << ".SY " << name << '\n';
    for (const CLI::Option* opt : NamedOptions(app)) out << '[' << RoffOption(*opt, "|") << "] ";
    out << "\n.YS\n"
        << ".SH DESCRIPTION\n" << Roff(app.get_description()) << ".\n"
        << ".PP\n" << Roff(app.get_footer()) << '\n'
        << ".SH OPTIONS\n";
    WriteRoffOptions(app, out);
    out << ".SH COMMANDS\n";
    for (const CLI::App* cmd : CommandApps(app)) {
        out << ".SS " << RoffWord(name + ' ' + cmd->get_name()) << '\n'
            << Roff(cmd->get_description()) << ".\n";
        if (cmd->get_name() == "help") {
            out << "With a \\fICOMMAND\\fR, the options of that command.\n";
        }
        WriteRoffOptions(*cmd, out);
        // The exit codes and pointers of the command's help.
        if (!cmd->get_footer().empty()) out << ".PP\n" << Roff(cmd->get_footer()) << '\n';
    }
    out << ".SH SEE ALSO\n"
        << "The README and the guides installed with " << name
        << " in share/doc/" << name << ".\n";
}

void WriteBashCompletion(const Parser& parser, std::ostream& out) {
    const CLI::App& app = parser.App();
    const std::string name = app.get_name();
    std::vector<std::string> first = parser.Names();
    for (const CLI::Option* opt : NamedOptions(app)) {
        for (const std::string& word : OptionWords(*opt)) first.push_back(word);
    }
    std::vector<std::string> topics;
    for (const Subcommand& sub : parser.Subcommands()) topics.push_back(sub.name);

    out << "# bash completion of " << name << ", written by `" << name
        << " help --completion bash`\n"
        << "# from the commands and options its parser knows.\n"
        << "_" << name << "() {\n"
        << "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
        << "    # bash splits --option=value at the \"=\".\n"
        << "    if [[ $cur == = ]]; then\n"
        << "        cur=\n"
        << "    elif [[ $prev == = ]] && ((COMP_CWORD > 2)); then\n"
        << "        prev=${COMP_WORDS[COMP_CWORD-2]}\n"
        << "    fi\n"
        << "    COMPREPLY=()\n"
        << "    if ((COMP_CWORD == 1)); then\n"
        << "        COMPREPLY=($(compgen -W " << Quoted(Joined(first, " ")) << " -- \"$cur\"))\n"
        << "        return\n"
        << "    fi\n"
        << "    case ${COMP_WORDS[1]} in\n";
    for (const CLI::App* cmd : CommandApps(app)) {
        if (cmd->get_name() == "help") {
            out << "    help)\n"
                << "        ((COMP_CWORD == 2)) && COMPREPLY=($(compgen -W "
                << Quoted(Joined(topics, " ")) << " -- \"$cur\")) ;;\n";
        } else {
            WriteBashCommand(*cmd, out);
        }
    }
    out << "    esac\n"
        << "}\n"
        << "complete -o default -F _" << name << ' ' << name << '\n';
}

void WriteFindingTable(std::ostream& out) {
    out << "| code | severity | what | usual fix |\n|---|---|---|---|\n";
    for (const FindingCode& entry : AllFindingCodes()) {
        out << "| `" << entry.code << "` | " << entry.severity << " | " << entry.what << " | " << entry.fix
            << " |\n";
    }
}
