#include "support/RunQvkdc.h"

#include <algorithm>
#include <cstdlib>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace {

std::string WithoutCr(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

}  // namespace

Ran RunQvkdc(const TableRoot& root, const std::vector<std::string>& args) {
    std::string cmd = "\"" QVKDC_CLI_PATH "\"";
    for (const std::string& a : args) cmd += " \"" + a + "\"";
    cmd += " > \"" + root.PathOf("run.out") + "\" 2> \"" + root.PathOf("run.err") + "\"";
    Ran ran;
#ifdef _WIN32
    // cmd.exe strips the outer quotes of a line that starts with one.
    cmd = "\"" + cmd + " < NUL\"";
    ran.exitCode = std::system(cmd.c_str());
#else
    cmd += " < /dev/null";
    const int status = std::system(cmd.c_str());
    ran.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    ran.out = WithoutCr(root.ReadFile("run.out"));
    ran.err = WithoutCr(root.ReadFile("run.err"));
    return ran;
}
