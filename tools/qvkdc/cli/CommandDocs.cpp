#include "cli/CommandDocs.h"

#include <string_view>

#include "ExamineTables.h"
#include "ValueTypes.h"
#include "cli/CommandReference.h"
#include "session/HostSession.h"
#include "cli/OptionDocs.h"
#include "cli/ProgramManual.h"
#include "check/FindingCodes.h"
#include "qvkdc/qvkdc.h"

namespace {

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
    for (const char c : word) out += c == '-' ? "\\-" : c == '\\' ? "\\e" : std::string(1, c);
    return out + "\\fR";
}

// The paragraphs of text, an item of a list with its bullet.
void WriteRoffParagraphs(const std::string& text, std::ostream& out) {
    for (const std::string& paragraph : Paragraphs(text)) {
        if (paragraph.compare(0, 2, "- ") == 0) {
            out << ".IP \\(bu 2\n" << RoffText(paragraph.substr(2)) << '\n';
        } else {
            out << ".PP\n" << RoffText(paragraph) << '\n';
        }
    }
}

// "\fB\-\-model\fR\~\fIFILE\fR": an option as the synopsis and the option
// list show it, its value on the same line.
std::string RoffOption(const CLI::Option& opt, const char* separator) {
    std::string text;
    for (const std::string& word : OptionWords(opt)) {
        if (!text.empty()) text += separator;
        text += RoffWord(word);
    }
    if (TakesValue(opt)) text += "\\~\\fI" + Roff(ValueName(opt)) + "\\fR";
    return text;
}

void WriteRoffOptions(const CLI::App& app, std::ostream& out) {
    for (const CLI::Option* opt : NamedOptions(app)) {
        out << ".TP\n" << RoffOption(*opt, ", ") << '\n' << RoffText(opt->get_description());
        if (opt->get_required()) out << " (required)";
        out << '\n';
    }
}

void WriteRoffExitCodes(const std::vector<ExitCode>& exitCodes, std::ostream& out) {
    for (const ExitCode& exit : exitCodes) {
        out << ".TP\n.B " << ExitCodeText(exit.code) << '\n' << RoffText(exit.meaning) << '\n';
    }
    const std::string precedence = ExitPrecedence(exitCodes);
    if (!precedence.empty()) out << ".PP\n" << RoffText(precedence) << '\n';
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

std::string RoffText(std::string_view text) {
    std::string out;
    bool code = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '`') {
            // A word to type is never hyphenated.
            out += code ? "\\fR" : "\\fB\\%";
            code = !code;
        } else if (c == '-' && (code || i == 0 || text[i - 1] == ' ' || text[i - 1] == '(' ||
                                text[i - 1] == '-')) {
            out += "\\-";
        } else if (c == '\\') {
            out += "\\e";
        } else {
            out += c;
        }
    }
    if (code) out += "\\fR";
    return (!out.empty() && (out[0] == '.' || out[0] == '\'')) ? "\\&" + out : out;
}

bool IsDocsOption(const std::string& arg) {
    return arg == "--man" || arg == "--completion" || arg == "--markdown" || arg == "--findings" ||
           arg == "--value-types";
}

int WriteDocs(const Parser& parser, const std::vector<std::string>& args, std::ostream& out,
              std::ostream& err) {
    if (args.size() == 1 && args[0] == "--man") {
        WriteManPage(parser, out);
        return kExitOk;
    }
    if (args.size() == 1 && args[0] == "--markdown") {
        WriteCommandReference(parser, out);
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
    if (args.size() == 1 && args[0] == "--value-types") {
        WriteValueTypeTable(out);
        return kExitOk;
    }
    err << "qvkdc help: use --man, --markdown, --completion bash, --findings or --value-types\n";
    return kExitUsage;
}

void WriteManPage(const Parser& parser, std::ostream& out) {
    const CLI::App& app = parser.App();
    const std::string name = app.get_name();
    const CommandManual program = parser.Manual(app);
    const std::vector<const CLI::App*> commands = CommandApps(app);
    out << ".\\\" " << name << "(1), written by `" << name
        << " help --man` from the commands and options its parser knows.\n"
        << ".TH " << Upper(name) << " 1 \"\" \"" << name << ' ' << QVKDC_VERSION_STRING
        << "\" \"User Commands\"\n"
        << ".nh\n.ad l\n"
        << ".SH NAME\n" << name << " \\- " << Roff(Summary(app)) << '\n'
        << ".SH SYNOPSIS\n";
    // .SY NAME ... .YS: one command line, its continuation lines indented.
    for (const CLI::App* cmd : commands) {
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
        << ".SH DESCRIPTION\n" << Roff(app.get_description()) << ".\n";
    WriteRoffParagraphs(program.details, out);
    out << ".SH OPTIONS\n";
    WriteRoffOptions(app, out);
    out << ".SH COMMANDS\n";
    for (const CLI::App* cmd : commands) {
        const CommandManual manual = parser.Manual(*cmd);
        out << ".SS " << RoffWord(name + ' ' + cmd->get_name()) << '\n'
            << Roff(Sentence(cmd->get_description())) << '\n';
        WriteRoffOptions(*cmd, out);
        WriteRoffParagraphs(manual.notes, out);
        WriteRoffParagraphs(manual.details, out);
    }
    out << ".SH FILES\n";
    for (const ManualFile& file : ManualFiles()) {
        out << ".TP\n.I " << Roff(file.path) << '\n' << RoffText(file.what) << '\n';
    }
    out << ".PP\n" << RoffText(ManualFilesRoot()) << '\n';
    out << ".SH EXIT STATUS\n";
    WriteRoffExitCodes(program.exitCodes, out);
    for (const CLI::App* cmd : commands) {
        out << ".SS " << RoffWord(name + ' ' + cmd->get_name()) << '\n';
        WriteRoffExitCodes(parser.Manual(*cmd).exitCodes, out);
    }
    out << ".SH EXAMPLES\n";
    for (const CLI::App* cmd : commands) {
        for (const Example& example : parser.Manual(*cmd).examples) {
            out << ".PP\n" << RoffText(example.what) << "\n.PP\n.RS 4\n.nf\n"
                << RoffText(std::string("`") + name + ' ' + example.args + '`') << "\n.fi\n.RE\n";
        }
    }
    out << ".SH SEE ALSO\n"
        << "The documents installed with " << name << " in share/doc/" << name << ":\n";
    for (const ManualDocument& doc : ManualDocuments()) {
        out << ".TP\n.I " << Roff(doc.path) << '\n' << RoffText(doc.title) << '\n';
    }
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
    for (const FindingCodeEntry& entry : AllFindingCodes()) {
        out << "| `" << entry.name << "` | " << entry.severities.Text() << " | " << entry.what << " | "
            << entry.fix << " |\n";
    }
}

namespace {

// What a column writes by a value type's form, and an example cell.
struct FormText {
    const char* writes;
    const char* example;
};

FormText TextOfForm(ValueForm form) {
    switch (form) {
        case ValueForm::kReal:
            return {"the number with six decimals, `.` as the decimal point", "`1.500000`"};
        case ValueForm::kText:
            return {"the text, trimmed, in three double quotes on each side; an empty or blank text gives an "
                    "empty cell",
                    "`\"\"\"Face top\"\"\"`"};
        case ValueForm::kSelect:
            return {"the selection text of the integer code (section 7)", "`Flood`"};
        case ValueForm::kInt:
            return {"the number as a whole number", "`3`"};
        case ValueForm::kNone:
            break;
    }
    return {"nothing: these value types have no text form, the cells stay empty", ""};
}

}  // namespace

void WriteValueTypeTable(std::ostream& out) {
    out << "| value type | writes | example cell |\n|---|---|---|\n";
    std::string silent;  // the keywords that write nothing, in one row
    std::string taken;   // the rows of keywords the column build takes as another
    for (const ValueType& type : kValueTypes) {
        const int asBuilt = BuildColumnKeyAndType("", 0, type.keyword, "").valType;
        if (asBuilt != type.code) {
            const ValueType* other = ValueTypeOfCode(asBuilt);
            taken += "| `" + std::string(type.keyword) + "` | taken as `" +
                     std::string(other != nullptr ? other->keyword : "") + "` | " +
                     TextOfForm(FormOfCode(asBuilt)).example + " |\n";
        } else if (type.form == ValueForm::kNone) {
            silent += std::string(silent.empty() ? "" : ", ") + '`' + std::string(type.keyword) + '`';
        } else {
            const FormText text = TextOfForm(type.form);
            out << "| `" << type.keyword << "` | " << text.writes << " | " << text.example << " |\n";
        }
    }
    out << taken;
    if (!silent.empty()) out << "| " << silent << " | " << TextOfForm(ValueForm::kNone).writes << " | |\n";
    out << "| any other text, an empty cell included | nothing: the cells stay empty | |\n";
}
