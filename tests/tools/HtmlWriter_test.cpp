// HtmlWriter: texts escaped, a table row's tabs and control characters
// shown, and `quoted` parts of a message as code.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "TextEncoding.h"
#include "report/HtmlWriter.h"

namespace {

TEST(HtmlWriterTest, EscapesShowsAndMarks) {
    std::string error;
    const std::unique_ptr<TextEncoding> cp1252 = TextEncoding::Open("windows-1252", &error);
    ASSERT_NE(cp1252, nullptr) << error;
    ReportFacts facts;
    facts.encoding = cp1252.get();
    const struct {
        void (HtmlWriter::*write)(std::string_view);
        std::string text;
        std::string markup;
    } cases[] = {
        {&HtmlWriter::Escaped, "a<b & \"c\">", "a&lt;b &amp; &quot;c&quot;&gt;"},
        {&HtmlWriter::Text, "caf\xE9", "caf\xC3\xA9"},
        {&HtmlWriter::Visible, "N\titemN", "N<span class=\"tab\">\xE2\x86\x92</span>itemN"},
        {&HtmlWriter::Visible, std::string("\x01x\x7F", 3), "<span class=\"ctl\">\\x01</span>x<span class=\"ctl\">\\x7F</span>"},
        {&HtmlWriter::Visible, "\t", "<span class=\"tab\">\xE2\x86\x92</span>"},
        {&HtmlWriter::Marked, "item `N` and `a<b`", "item <code>N</code> and <code>a&lt;b</code>"},
        {&HtmlWriter::Marked, "`open", "<code>open</code>"},
        {&HtmlWriter::Marked, "", ""},
    };
    for (const auto& c : cases) {
        std::ostringstream out;
        ReportWriter writer(&out);
        HtmlWriter html(facts, &writer);
        (html.*c.write)(c.text);
        writer.Finish();
        EXPECT_EQ(out.str(), c.markup) << c.text;
    }
}

}  // namespace
