// ReportFacts: the facts of one check that its reports state, and the code
// page its texts are read in.
#ifndef QVKDC_TOOLS_REPORT_REPORTFACTS_H
#define QVKDC_TOOLS_REPORT_REPORTFACTS_H

#include <string>
#include <string_view>

#include "TextEncoding.h"

struct ReportFacts {
    std::string root;      // as given (--root), or "" for the current folder
    std::string model;     // the model file, or "" when none was checked
    std::string date;      // when the check ran, "2026-12-06 14:51:07"
    std::string version;   // qvkdc's
    // The code page of the tables, the option file, the model's texts and
    // the file names. REQUIRES: set before a report is made.
    const TextEncoding* encoding = nullptr;

    // text as UTF-8, read in the encoding: text itself when it converts as
    // it is, else its conversion in *converted.
    std::string_view Utf8(std::string_view text, std::string* converted) const {
        if (TextEncoding::Utf8AsItIs(text)) return text;
        *converted = encoding->ToUtf8(text);
        return *converted;
    }
};

#endif  // QVKDC_TOOLS_REPORT_REPORTFACTS_H
