// CheckReport: what the check reports in a format ("text", "json", "html"),
// as qvkdc writes it.
#ifndef QVKDC_TESTS_SUPPORT_CHECKREPORT_H
#define QVKDC_TESTS_SUPPORT_CHECKREPORT_H

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "check/Checker.h"
#include "check/FindingCodes.h"
#include "report/ReportWriter.h"
#include "report/TextReport.h"
#include "support/HtmlTree.h"

inline std::string CheckReport(const Checker& checker, const std::string& format) {
    std::ostringstream text;
    ReportWriter out(&text);
    checker.Report(format, &out);
    EXPECT_EQ(out.Finish(), "") << "the report was written whole";
    return text.str();
}

// Every finding in each form, each form read back on its own: the JSON's
// list and counts as the check holds them, the text's line, and the page's
// item with its severity, place, code and message. Texts beyond ASCII are
// compared in the text form only (the others give UTF-8).
inline void ExpectFormsAgree(const Checker& checker) {
    using nlohmann::json;
    const std::vector<Finding>& findings = checker.Findings().All();
    const auto ascii = [](const std::string& s) {
        return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    };
    json listed = json::parse(CheckReport(checker, "json"));
    std::string error;
    const HtmlNode page = ParseHtml(CheckReport(checker, "html"), &error);
    ASSERT_EQ(error, "");
    std::map<std::string, const HtmlNode*> items;
    for (const HtmlNode* li : page.All("li")) items[li->Attribute("id")] = li;
    const std::string text = '\n' + CheckReport(checker, "text");
    ASSERT_EQ(listed["findings"].size(), findings.size());
    std::map<std::string, int> counts{{"error", 0}, {"warning", 0}, {"note", 0}};
    for (std::size_t i = 0; i < findings.size(); ++i) {
        const Finding& f = findings[i];
        const std::string code = FindingCodeName(f.code), severity = SeverityName(f.severity);
        ++counts[severity];
        EXPECT_NE(text.find('\n' + FindingLine(f) + '\n'), std::string::npos) << FindingLine(f);
        json want = {{"code", code}, {"column", f.column >= 0 ? json(f.column + 1) : json()}, {"file", f.file},
                     {"line", f.line}, {"message", f.message}, {"severity", severity}};
        json& got = listed["findings"][i];
        if (!ascii(f.file + f.message)) {
            for (json* j : {&want, &got}) {
                j->erase("message");
                j->erase("file");
            }
        }
        EXPECT_EQ(got, want);
        const auto item = items.find("finding-" + std::to_string(i + 1));
        ASSERT_NE(item, items.end()) << code;
        const HtmlNode& li = *item->second;
        EXPECT_TRUE(li.HasClass(severity)) << code;
        ASSERT_NE(li.Child("span"), nullptr);
        if (ascii(f.file + f.message)) {
            EXPECT_EQ(li.Child("span")->Text(), f.file + ':' + std::to_string(f.line));
            EXPECT_NE(li.Text().find(severity + ": " + f.message + " [" + code + ']'), std::string::npos) << li.Text();
        }
    }
    for (const auto& [severity, n] : counts) EXPECT_EQ(listed[severity + 's'], n) << severity;

    // The summary: a row for each severity and code with its count and a
    // link to each finding; what each code means, once.
    std::map<std::string, int> groups;  // "severity code" -> findings
    for (const json& f : listed["findings"]) ++groups[f["severity"].get<std::string>() + ' ' + f["code"].get<std::string>()];
    std::size_t rows = 0;
    for (const HtmlNode* table : page.All("table", "summary")) {
        for (const HtmlNode* tr : table->Child("tbody")->All("tr")) {
            const std::vector<const HtmlNode*> tds = tr->All("td");
            ASSERT_EQ(tds.size(), 4u);
            const std::string code = tds[1]->Text().substr(1, tds[1]->Text().size() - 2);
            EXPECT_EQ(std::to_string(groups[tds[0]->Text() + ' ' + code]), tds[2]->Text()) << code;
            const std::size_t links = tds[3]->All("a", "loc").size();
            EXPECT_EQ(std::to_string(links), tds[2]->Text()) << code;
            EXPECT_EQ(tr->Attribute("class"), tds[0]->Text()) << code;
            const HtmlNode* rest = tds[3]->Child("details");
            ASSERT_EQ(rest != nullptr, links > 1) << code;
            if (rest != nullptr) {
                EXPECT_EQ(rest->Child("summary")->Text(), "and " + std::to_string(links - 1) + " more");
            }
            ++rows;
        }
    }
    EXPECT_EQ(rows, groups.size());
    // The text counts each code when one repeats.
    const bool repeats = std::any_of(groups.begin(), groups.end(), [](const auto& g) { return g.second > 1; });
    EXPECT_EQ(text.find("\nby code:\n") != std::string::npos, repeats);
    for (const auto& [group, n] : groups) {
        if (!repeats) break;
        const std::string severity = group.substr(0, group.find(' ')), code = group.substr(group.find(' ') + 1);
        EXPECT_NE(text.find("\n  " + std::to_string(n) + ' ' + severity + (n == 1 ? "" : "s") + " [" + code + ']'),
                  std::string::npos)
            << group;
    }
    // What was checked, as the JSON tells it.
    const json& run = listed["run"];
    const std::vector<const HtmlNode*> facts = page.All("p", "facts");
    ASSERT_FALSE(facts.empty());
    const std::string root = run["root"], model = run["model"].is_string() ? run["model"].get<std::string>() : "";
    EXPECT_EQ(facts[0]->Text(), "Root " + (root.empty() ? "(the current folder)" : root) + " \xC2\xB7 model " +
                                    (model.empty() ? "(none)" : model) + " \xC2\xB7 checked " +
                                    run["date"].get<std::string>() + " \xC2\xB7 qvkdc " + run["version"].get<std::string>() +
                                    " \xC2\xB7 texts read as " + run["encoding"].get<std::string>());
    std::set<std::string> codes;
    for (const json& f : listed["findings"]) codes.insert("code-" + f["code"].get<std::string>());
    std::set<std::string> meant;
    for (const HtmlNode* dt : page.All("dt")) {
        meant.insert(dt->Attribute("id"));
        const FindingCodeEntry* entry = FindFindingCode(dt->Attribute("id").substr(5));
        ASSERT_NE(entry, nullptr) << dt->Attribute("id");
        EXPECT_EQ(dt->Text(), std::string(entry->name) + ' ' + entry->severities.Text());
    }
    EXPECT_EQ(meant, codes);
    EXPECT_EQ(page.All("dd").size(), codes.size());

    // The columns and their choices, each in its row as the JSON lists it.
    std::map<std::string, const HtmlNode*> byId;
    std::size_t choiceRows = 0, choices = 0;
    for (const HtmlNode* tr : page.All("tr")) {
        byId[tr->Attribute("id")] = tr;
        choiceRows += tr->Attribute("id").rfind("choice-", 0) == 0;
    }
    std::set<std::string> choiceItems;  // an item's choices are shown once
    for (const json& c : listed["columns"]) {
        if (choiceItems.insert(c["item"].get<std::string>()).second) choices += c["choices"].size();
    }
    EXPECT_EQ(choiceRows, choices);
    for (const json& c : listed["columns"]) {
        const std::string number = std::to_string(c["number"].get<int>());
        ASSERT_EQ(byId.count("column-" + number), 1u);
        const std::vector<const HtmlNode*> tds = byId["column-" + number]->All("td");
        ASSERT_GE(tds.size(), 7u);
        std::string type = c["valueType"]["keyword"];
        if (!c["subType"]["keyword"].get<std::string>().empty()) type += " / " + c["subType"]["keyword"].get<std::string>();
        if (c["effectiveType"] != 0) type += " (" + std::to_string(c["effectiveType"].get<int>()) + ')';
        const json& flags = c["flags"];
        const std::string marks = std::string(flags["origin"] == "option" ? "option" : "standard") +
                                  (flags["blank"] == true ? ", blank" : "") + (flags["repeat"] == true ? ", repeat" : "");
        const std::string title = c["title"];
        EXPECT_EQ(tds[0]->Text(), number);
        if (ascii(title)) {
            EXPECT_EQ(tds[1]->Text(), title);
        }
        EXPECT_EQ(tds[2]->Text(), c["item"].get<std::string>());
        EXPECT_EQ(tds[3]->Text(), std::to_string(c["key"].get<int>()));
        EXPECT_EQ(tds[4]->Text(), type);
        EXPECT_EQ(tds[5]->Text(), marks);
        std::vector<std::string> at;
        for (const char* kind : {"definition", "title", "key", "type"}) {
            if (c["at"][kind].is_string()) at.push_back(c["at"][kind]);
        }
        std::vector<std::string> shown;
        for (const HtmlNode* span : tds[6]->All("span", "loc")) {
            shown.push_back(span->Attribute("title") + span->Text().substr(span->Text().rfind(':')));
        }
        EXPECT_EQ(shown, at) << number;
        for (const json& ch : c["choices"]) {
            if (!ch["at"].is_string()) continue;
            const std::string place = ch["at"];
            const std::string id = "choice-" + place.substr(place.rfind(':') + 1);
            ASSERT_EQ(byId.count(id), 1u);
            const std::vector<const HtmlNode*> cells = byId[id]->All("td");
            ASSERT_GE(cells.size(), 4u);
            EXPECT_EQ(cells[0]->Text(), std::to_string(ch["value"].get<int>()));
            EXPECT_EQ(cells[2]->Text(), ch["item"].get<std::string>());
            EXPECT_EQ(cells[1]->Text().find("(never shown") != std::string::npos, ch["shadowed"] == true) << id;
        }
    }
}

#endif  // QVKDC_TESTS_SUPPORT_CHECKREPORT_H
