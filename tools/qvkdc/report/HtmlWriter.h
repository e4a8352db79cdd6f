// HtmlWriter: the bytes of the check's page as it is made: markup as
// given, UTF-8 texts escaped, and the texts of the tables, the model and
// the file names read in the facts' code page first. Texts are converted
// only when they hold a byte above 0x7F.
#ifndef QVKDC_TOOLS_REPORT_HTMLWRITER_H
#define QVKDC_TOOLS_REPORT_HTMLWRITER_H

#include <algorithm>
#include <string>
#include <string_view>

#include "report/ReportFacts.h"
#include "report/ReportWriter.h"

// The last part of path, after its last "/" or "\\": how the page names a
// file beside its FILE:LINE, the whole path in its title.
// text with &, <, > and the quotes as HTML entities.
std::string HtmlEscaped(std::string_view text);

inline std::string_view BaseName(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

class HtmlWriter {
 public:
    // REQUIRES: facts and out outlive the writer; out is not finished.
    HtmlWriter(const ReportFacts& facts, ReportWriter* out) : facts_(facts), out_(*out) {}

    void Put(std::string_view markup) { out_.Put(markup); }
    void Put(char c) { out_.Put(c); }
    void Int(long long value) { out_.PutInt(value); }
    // A UTF-8 text, escaped.
    void Escaped(std::string_view text);
    // A text of the tables, the model or a file name.
    void Text(std::string_view text) { Escaped(facts_.Utf8(text, &converted_)); }
    // A text as Text writes it, with every tab shown as a marked arrow and
    // every other control character as a marked \xHH, so that a row of a
    // table file shows how it splits into cells.
    void Visible(std::string_view text);
    // A UTF-8 text whose `quoted` parts are code.
    void Marked(std::string_view text);

 private:
    const ReportFacts& facts_;
    ReportWriter& out_;
    std::string converted_;  // a text converted to UTF-8, reused
};

#endif  // QVKDC_TOOLS_REPORT_HTMLWRITER_H
