// The bash completion, run in bash: after `qvkdc` it offers every command and
// top-level option the parser knows, after a command every option of that
// command, and the choices or command names where a value is due.
#include <gtest/gtest.h>

#include <stdio.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CommandDocs.h"
#include "cli/Parser.h"

namespace {

namespace fs = std::filesystem;

class BashCompletion : public ::testing::Test {
 protected:
    void SetUp() override {
        script_ = fs::temp_directory_path() /
                  ("qvkdc-completion-" + std::to_string(getpid()) + ".bash");
        std::ofstream out(script_);
        WriteBashCompletion(parser_, out);
    }
    void TearDown() override { fs::remove(script_); }

    // The candidates bash offers for the last of words (what is typed so
    // far; the line split as bash splits it, "=" a word of its own).
    std::set<std::string> Complete(const std::vector<std::string>& words) const {
        std::string cmd =
            "bash --norc --noprofile -c 'source \"$0\"; COMP_WORDS=(\"$@\");"
            " COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _qvkdc;"
            " printf \"%s\\n\" \"${COMPREPLY[@]}\"' '" + script_.string() + "'";
        for (const std::string& w : words) cmd += " '" + w + "'";
        std::set<std::string> offered;
        FILE* pipe = popen(cmd.c_str(), "r");
        if (pipe == nullptr) return offered;
        char line[256];
        while (fgets(line, sizeof line, pipe) != nullptr) {
            std::string word(line);
            if (!word.empty() && word.back() == '\n') word.pop_back();
            if (!word.empty()) offered.insert(word);
        }
        EXPECT_EQ(pclose(pipe), 0) << cmd;
        return offered;
    }

    static std::set<std::string> OptionNames(const CLI::App& app) {
        std::set<std::string> names;
        for (const CLI::Option* opt : app.get_options()) {
            for (const std::string& s : opt->get_snames()) names.insert("-" + s);
            for (const std::string& l : opt->get_lnames()) names.insert("--" + l);
        }
        return names;
    }

    Parser parser_;
    fs::path script_;
};

TEST_F(BashCompletion, OffersEveryCommandAndEveryOptionTheParserKnows) {
    std::set<std::string> first = OptionNames(parser_.App());
    first.insert(parser_.Names().begin(), parser_.Names().end());
    EXPECT_EQ(Complete({"qvkdc", ""}), first);

    std::set<std::string> topics;
    for (const Subcommand& sub : parser_.Subcommands()) {
        EXPECT_EQ(Complete({"qvkdc", sub.name, ""}), OptionNames(*sub.app)) << sub.name;
        topics.insert(sub.name);
    }
    EXPECT_EQ(Complete({"qvkdc", "help", ""}), topics);
}

TEST_F(BashCompletion, CompletesWhatIsTyped) {
    const struct {
        std::vector<std::string> words;
        std::set<std::string> offered;
    } rows[] = {
        {{"qvkdc", "ex"}, {"exists", "export"}},
        {{"qvkdc", "export", "--ov"}, {"--overwrite"}},
        {{"qvkdc", "export", "--model", "m.json", "--q"}, {"--quiet"}},
        {{"qvkdc", "check", "--format", ""}, {"text", "json", "html"}},
        {{"qvkdc", "check", "--format", "=", "j"}, {"json"}},
        {{"qvkdc", "check", "--format", "="}, {"text", "json", "html"}},
        // A file name: readline's own completion takes over.
        {{"qvkdc", "export", "--model", ""}, {}},
        {{"qvkdc", "tables", "--root", "=", ""}, {}},
        {{"qvkdc", "help", "check", ""}, {}},
        {{"qvkdc", "nosuch", "--"}, {}},
    };
    for (const auto& row : rows) {
        std::string typed;
        for (const std::string& w : row.words) typed += w + " ";
        EXPECT_EQ(Complete(row.words), row.offered) << typed;
    }
}

}  // namespace
