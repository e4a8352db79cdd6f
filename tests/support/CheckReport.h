// CheckReport: what the check reports in a format ("text", "json", "html"),
// as qvkdc writes it.
#ifndef QVKDC_TESTS_SUPPORT_CHECKREPORT_H
#define QVKDC_TESTS_SUPPORT_CHECKREPORT_H

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
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
}

#endif  // QVKDC_TESTS_SUPPORT_CHECKREPORT_H
