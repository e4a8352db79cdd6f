// The documents a newcomer reads: README.md names only options that qvkdc's
// parser knows, every relative link of the documents leads to a file, and
// the trace ids of docs/integration.md are the ones the library traces
// under.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CommandDocs.h"
#include "cli/Parser.h"
#include "entry/QvkdcCreOutputData.h"
#include "entry/QvkdcIsExistFile.h"
#include "qvkdc/qvkdc.h"
#include "support/HostFixture.h"

namespace {

namespace fs = std::filesystem;

std::string ReadSource(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// README.md's --words: on a line that names `qvkdc COMMAND`, options of
// that command (of `help`'s documents for `help`); elsewhere, options of
// any command. A code line of another program is left alone.
TEST(Readme, NamesOnlyOptionsTheParserKnows) {
    const Parser parser;
    std::map<std::string, std::set<std::string>> options;  // by command; "": of any
    const auto add = [&](const std::string& cmd, const CLI::App& app) {
        for (const CLI::Option* opt : app.get_options()) {
            for (const std::string& l : opt->get_lnames()) {
                options[cmd].insert("--" + l);
                options[""].insert("--" + l);
            }
        }
    };
    add("", parser.App());
    for (const Subcommand& sub : parser.Subcommands()) add(sub.name, *sub.app);
    const std::regex command("qvkdc ([a-z]+)");
    const std::regex option("(^|[ ([|`])(--[a-z][a-z0-9-]*)");
    std::istringstream readme(ReadSource(QVKDC_SOURCE_DIR "README.md"));
    ASSERT_FALSE(readme.str().empty());
    bool code = false;
    bool continued = false;  // a code line after one that ended in a backslash
    for (std::string line; std::getline(readme, line);) {
        if (line.rfind("```", 0) == 0) code = !code;
        std::string words = line.substr(line.rfind("$ ", 0) == 0 ? 2 : 0);
        words = words.substr(0, words.find(" #"));  // a shell comment
        const bool other = code && (continued || fs::path(words.substr(0, words.find(' '))).stem() != "qvkdc");
        continued = code && !line.empty() && line.back() == '\\';
        if (other) continue;
        std::smatch m;
        const std::string cmd = std::regex_search(words, m, command) ? m[1].str() : "";
        for (std::sregex_iterator o(words.begin(), words.end(), option), end; o != end; ++o) {
            const std::string word = (*o)[2];
            const bool known = cmd == "help"            ? IsDocsOption(word)
                               : options.count(cmd) > 0 ? options.at(cmd).count(word) > 0
                                                        : options.at("").count(word) > 0;
            EXPECT_TRUE(known) << "README.md names " << word << ": " << line;
        }
    }
}

// Every link to a file of the repository, "[text](path)", leads to one, and
// every guide links back to the README.
TEST(Documents, RelativeLinksLeadToFiles) {
    const fs::path source = QVKDC_SOURCE_DIR;
    std::vector<fs::path> documents = {source / "README.md", source / "examples/shop/README.md"};
    for (const fs::directory_entry& entry : fs::directory_iterator(source / "docs")) {
        if (entry.path().extension() == ".md") documents.push_back(entry.path());
    }
    const std::regex link("\\]\\(([^)#: ]+)(#[^)]*)?\\)");
    for (const fs::path& doc : documents) {
        const std::string text = ReadSource(doc);
        ASSERT_FALSE(text.empty()) << doc;
        int links = 0;
        for (std::sregex_iterator m(text.begin(), text.end(), link), end; m != end; ++m, ++links) {
            EXPECT_TRUE(fs::exists(doc.parent_path() / (*m)[1].str())) << doc << " links " << (*m)[1];
        }
        if (doc.parent_path() == source / "docs") {
            EXPECT_NE(text.find("](../README.md)"), std::string::npos) << doc << " does not link the README";
        }
        EXPECT_GT(links, 0) << doc << " links no other document";
    }
}

using IntegrationGuide = HostTest;

// The ids of the table in the section "Tracing" are those that an export
// and an existence check traced with every id on open frames under.
TEST_F(IntegrationGuide, TraceIdsAreTheLibrarys) {
    const std::string guide = ReadSource(QVKDC_SOURCE_DIR "docs/integration.md");
    const std::size_t tracing = guide.find("\n## Tracing\n");
    ASSERT_NE(tracing, std::string::npos);
    const std::string section = guide.substr(tracing, guide.find("\n## ", tracing + 1) - tracing);
    std::set<std::string> documented;
    const std::regex row("\n\\| ([0-9]+) \\|");
    for (std::sregex_iterator m(section.begin(), section.end(), row), end; m != end; ++m) {
        documented.insert((*m)[1]);
    }

    Root().WriteTables(TableRoot::Example());
    fs::create_directory(Root().PathOf("out"));
    LoadModel(R"({"plans": [{"id": [1, 0, 0, 1], "name": "P", "processes": [
        {"id": [11, 0, 0, 1], "type": 2411, "params": {"100": 7, "200": 1, "300": "z"}}]}]})");
    QvsimTraceAll(1, 1);
    ModelId plan;
    QvsimPlanId(0, &plan);
    const int count = 1;
    const std::string out = Root().PathOf("out");
    int status = 99;
    QvkdcIsExistFile(&count, &plan, out.c_str(), "T", &status);
    EXPECT_EQ(status, 0);
    QvkdcCreOutputData(&count, &plan, out.c_str(), "T", &status);
    EXPECT_EQ(status, 0);
    std::set<std::string> traced;
    const std::string trace = QvsimTraceText();
    const std::regex entry(">> [^\n]* \\[([0-9]+)\\]\n");
    for (std::sregex_iterator m(trace.begin(), trace.end(), entry), end; m != end; ++m) {
        traced.insert((*m)[1]);
    }
    EXPECT_EQ(documented, traced);
}

}  // namespace
