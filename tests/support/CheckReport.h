// CheckReport: what the check reports in a format ("text", "json", "html"),
// as qvkdc writes it.
#ifndef QVKDC_TESTS_SUPPORT_CHECKREPORT_H
#define QVKDC_TESTS_SUPPORT_CHECKREPORT_H

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "check/Checker.h"
#include "report/ReportWriter.h"

inline std::string CheckReport(const Checker& checker, const std::string& format) {
    std::ostringstream text;
    ReportWriter out(&text);
    checker.Report(format, &out);
    EXPECT_EQ(out.Finish(), "") << "the report was written whole";
    return text.str();
}

#endif  // QVKDC_TESTS_SUPPORT_CHECKREPORT_H
