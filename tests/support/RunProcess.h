// Runs a command line through the shell and collects what it printed.
#ifndef QVKDC_TESTS_SUPPORT_RUNPROCESS_H
#define QVKDC_TESTS_SUPPORT_RUNPROCESS_H

#include <string>
#include <vector>

struct ProcessResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs program with args (each quoted for the shell), standard input from
// the null device. REQUIRES: args hold no double quote characters.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args);

// Path of the qvkdc command-line host built with the tests.
std::string QvkdcCliPath();

#endif  // QVKDC_TESTS_SUPPORT_RUNPROCESS_H
