#include "support/RunProcess.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#if defined(_WIN32)
#include <process.h>
#define QVKDC_GETPID _getpid
#else
#include <sys/wait.h>
#include <unistd.h>
#define QVKDC_GETPID getpid
#endif

namespace fs = std::filesystem;

namespace {

// Read as text: on Windows the program's text-mode CR LF line ends come
// back as "\n".
std::string ReadAll(const fs::path& path) {
    std::ifstream in(path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string Quote(const std::string& arg) { return "\"" + arg + "\""; }

}  // namespace

std::string QvkdcCliPath() { return QVKDC_CLI_PATH; }

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args) {
    static int counter = 0;
    // Test processes run side by side: the process id keeps their files apart.
    const fs::path base = fs::temp_directory_path() /
                          ("qvkdc_run_" + std::to_string(QVKDC_GETPID()) + "_" +
                           std::to_string(++counter));
    const fs::path outFile = base.string() + ".out";
    const fs::path errFile = base.string() + ".err";
    std::string cmd = Quote(program);
    for (const std::string& a : args) cmd += " " + Quote(a);
#if defined(_WIN32)
    cmd += " < NUL";
#else
    cmd += " < /dev/null";
#endif
    cmd += " > " + Quote(outFile.string()) + " 2> " + Quote(errFile.string());
#if defined(_WIN32)
    // cmd.exe strips the outer quotes of a line that starts with one.
    cmd = "\"" + cmd + "\"";
#endif
    ProcessResult result;
    const int rc = std::system(cmd.c_str());
#if defined(_WIN32)
    result.exitCode = rc;
#else
    result.exitCode = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
#endif
    result.out = ReadAll(outFile);
    result.err = ReadAll(errFile);
    std::error_code ec;
    fs::remove(outFile, ec);
    fs::remove(errFile, ec);
    return result;
}
