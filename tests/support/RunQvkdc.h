// RunQvkdc: runs the command-line host qvkdc as a program, the way a user
// or a script does, and collects what it printed.
#ifndef QVKDC_TESTS_SUPPORT_RUNQVKDC_H
#define QVKDC_TESTS_SUPPORT_RUNQVKDC_H

#include <string>
#include <vector>

#include "support/TableRoot.h"

struct Ran {
    int exitCode = -1;
    std::string out;  // standard output, without carriage returns
    std::string err;  // standard error, without carriage returns
};

// Runs qvkdc with args in the current folder, standard input from the null
// device; its two outputs pass through files "run.out" and "run.err" in root.
// REQUIRES: no argument holds a double quote or ends in a backslash.
Ran RunQvkdc(const TableRoot& root, const std::vector<std::string>& args);

#endif  // QVKDC_TESTS_SUPPORT_RUNQVKDC_H
