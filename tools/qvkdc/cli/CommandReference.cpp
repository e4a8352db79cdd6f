#include "cli/CommandReference.h"

#include <cctype>
#include <string>
#include <string_view>
#include <vector>

#include "cli/OptionDocs.h"
#include "cli/ProgramManual.h"

namespace {

// Where the documents lie as seen from docs/, the reference's folder.
constexpr std::string_view kDocsFolder = "docs/";

std::string LinkTarget(std::string_view path) {
    if (path.compare(0, kDocsFolder.size(), kDocsFolder) == 0) {
        return std::string(path.substr(kDocsFolder.size()));
    }
    return "../" + std::string(path);
}

bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '-'; }

// Plain text as Markdown shows it as it stands: the characters that could
// start emphasis, a tag or a table cell escaped, and each "docs/NAME.md" a
// link to that document.
std::string MarkdownPlain(std::string_view text, bool inTable) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool wordStart = i == 0 || text[i - 1] == ' ' || text[i - 1] == '(';
        if (wordStart && text.compare(i, kDocsFolder.size(), kDocsFolder) == 0) {
            std::size_t end = i + kDocsFolder.size();
            while (end < text.size() && IsNameChar(text[end])) ++end;
            if (text.compare(end, 3, ".md") == 0) {
                const std::string_view path = text.substr(i, end + 3 - i);
                out += "[" + std::string(path) + "](" + LinkTarget(path) + ")";
                i = end + 2;
                continue;
            }
        }
        const bool tag = c == '<' && i + 1 < text.size() && std::isalpha(static_cast<unsigned char>(text[i + 1]));
        const bool special = c == '\\' || c == '*' || c == '[' || c == ']' || (inTable && c == '|');
        if (special || tag) out += '\\';
        out += c;
    }
    return out;
}

// A paragraph of a manual in Markdown: what stands in backticks stays code.
std::string Markdown(std::string_view text, bool inTable = false) {
    std::string out;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t open = text.find('`', at);
        const std::size_t close = open == std::string_view::npos ? open : text.find('`', open + 1);
        if (close == std::string_view::npos) {
            out += MarkdownPlain(text.substr(at), inTable);
            break;
        }
        out += MarkdownPlain(text.substr(at, open - at), inTable);
        std::string code(text.substr(open, close + 1 - open));
        if (inTable) {
            for (std::size_t bar = code.find('|'); bar != std::string::npos; bar = code.find('|', bar + 2)) {
                code.insert(bar, "\\");
            }
        }
        out += code;
        at = close + 1;
    }
    return out;
}

// The paragraphs of text; the items of a list follow each other.
void WriteParagraphs(const std::string& text, std::ostream& out) {
    bool inList = false;
    for (const std::string& paragraph : Paragraphs(text)) {
        const bool item = paragraph.compare(0, 2, "- ") == 0;
        if (!(item && inList)) out << '\n';
        out << (item ? "- " + Markdown(paragraph.substr(2)) : Markdown(paragraph)) << '\n';
        inList = item;
    }
}

// "`--model FILE`", "`-h`, `--help`".
std::string OptionCell(const CLI::Option& opt) {
    std::string cell;
    for (const std::string& word : OptionWords(opt)) cell += (cell.empty() ? "`" : ", `") + word + "`";
    if (TakesValue(opt)) cell.insert(cell.size() - 1, " " + ValueName(opt));
    return Markdown(cell, true);
}

void WriteOptions(const CLI::App& app, std::ostream& out) {
    if (NamedOptions(app).empty()) return;
    out << "\n| option | meaning |\n|---|---|\n";
    for (const CLI::Option* opt : NamedOptions(app)) {
        out << "| " << OptionCell(*opt) << " | " << Markdown(opt->get_description(), true)
            << (opt->get_required() ? " (required)" : "") << " |\n";
    }
}

void WriteExitCodes(const std::vector<ExitCode>& exitCodes, std::ostream& out) {
    out << "\n| code | meaning |\n|---|---|\n";
    for (const ExitCode& exit : exitCodes) {
        out << "| " << ExitCodeText(exit.code) << " | " << Markdown(exit.meaning, true) << " |\n";
    }
    const std::string precedence = ExitPrecedence(exitCodes);
    if (!precedence.empty()) out << '\n' << Markdown(precedence) << '\n';
}

// One command line of the synopsis: "qvkdc export --model FILE ...", broken
// before a word that would pass the 100th column, the next line indented
// under the first option.
std::string SynopsisLine(const std::string& program, const CLI::App& cmd) {
    std::vector<std::string> words;
    if (cmd.get_name() == "help") words.emplace_back("[COMMAND]");
    for (const CLI::Option* opt : NamedOptions(cmd)) {
        if (opt == cmd.get_help_ptr()) continue;
        std::string word = OptionWords(*opt).back();
        if (TakesValue(*opt)) word += " " + ValueName(*opt);
        words.push_back(opt->get_required() ? word : "[" + word + "]");
    }
    const std::string head = program + " " + cmd.get_name();
    std::string text = head;
    std::size_t lineStart = 0;
    for (const std::string& word : words) {
        if (text.size() - lineStart + 1 + word.size() > 100) {
            text += "\n" + std::string(head.size(), ' ');
            lineStart = text.size() - head.size();
        }
        text += " " + word;
    }
    return text;
}

}  // namespace

void WriteCommandReference(const Parser& parser, std::ostream& out) {
    const CLI::App& app = parser.App();
    const std::string name = app.get_name();
    const CommandManual program = parser.Manual(app);
    const std::vector<const CLI::App*> commands = CommandApps(app);

    out << "# The command line of " << name << "\n\n"
        << "<!-- Written by `" << name << " help --markdown` from the commands and options its parser "
        << "knows, as the manual page is. Do not edit: change the parser or the command's manual, then "
        << "run `cmake --build build --target command-line-reference`. -->\n\n";
    std::string links;
    for (const ManualDocument& doc : ManualDocuments()) {
        links += std::string(links.empty() ? "" : " · ") + "[" + doc.name + "](" +
                 LinkTarget(doc.path) + ")";
    }
    out << links << "\n\n" << Markdown(app.get_description()) << ".\n\n## Synopsis\n\n```\n";
    for (const CLI::App* cmd : commands) out << SynopsisLine(name, *cmd) << '\n';
    out << name;
    for (const CLI::Option* opt : NamedOptions(app)) out << " [" << Joined(OptionWords(*opt), "|") << "]";
    out << "\n```\n\n## Description\n";
    WriteParagraphs(program.details, out);
    out << "\n## Options of " << name << "\n";
    WriteOptions(app, out);
    for (const CLI::App* cmd : commands) {
        const CommandManual manual = parser.Manual(*cmd);
        out << "\n## " << name << ' ' << cmd->get_name() << "\n\n"
            << Markdown(Sentence(cmd->get_description())) << '\n';
        WriteOptions(*cmd, out);
        WriteParagraphs(manual.notes, out);
        WriteParagraphs(manual.details, out);
        if (!manual.exitCodes.empty()) {
            out << "\nExit codes of " << name << ' ' << cmd->get_name() << ":\n";
            WriteExitCodes(manual.exitCodes, out);
        }
        if (!manual.examples.empty()) {
            out << "\nExamples:\n\n```sh\n";
            for (const Example& example : manual.examples) {
                out << "# " << example.what << '\n' << name << ' ' << example.args << '\n';
            }
            out << "```\n";
        }
    }
    out << "\n## Files\n\n| file | what |\n|---|---|\n";
    for (const ManualFile& file : ManualFiles()) {
        out << "| `" << file.path << "` | " << Markdown(file.what, true) << " |\n";
    }
    out << '\n' << Markdown(ManualFilesRoot()) << '\n' << "\n## Exit codes\n";
    WriteExitCodes(program.exitCodes, out);
}
