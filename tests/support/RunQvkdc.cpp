#include "support/RunQvkdc.h"

#include <algorithm>
#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#endif

namespace {

std::string WithoutCr(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

#ifdef _WIN32
HANDLE Inherited(const std::string& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Starts qvkdc itself, not through cmd.exe: a start that fails is retried
// and then told with the system's code, never taken for qvkdc's exit code
// (under Wine on a loaded machine a start can fail once, and cmd.exe turns
// that into exit code 9009 "not recognized").
int Run(std::string line, const std::string& out, const std::string& err, std::string* why) {
    const HANDLE in = Inherited("NUL", GENERIC_READ, OPEN_EXISTING);
    const HANDLE outFile = Inherited(out, GENERIC_WRITE, CREATE_ALWAYS);
    const HANDLE errFile = Inherited(err, GENERIC_WRITE, CREATE_ALWAYS);
    int exitCode = -1;
    if (in != INVALID_HANDLE_VALUE && outFile != INVALID_HANDLE_VALUE && errFile != INVALID_HANDLE_VALUE) {
        STARTUPINFOA start = {};
        start.cb = sizeof start;
        start.dwFlags = STARTF_USESTDHANDLES;
        start.hStdInput = in;
        start.hStdOutput = outFile;
        start.hStdError = errFile;
        PROCESS_INFORMATION process = {};
        BOOL started = FALSE;
        for (int attempt = 0; attempt < 5 && !started; ++attempt) {
            if (attempt > 0) Sleep(200 * attempt);
            started = CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start,
                                     &process);
            if (!started) *why = "qvkdc did not start: system error " + std::to_string(GetLastError());
        }
        if (started) {
            DWORD code = 0;
            WaitForSingleObject(process.hProcess, INFINITE);
            if (GetExitCodeProcess(process.hProcess, &code)) exitCode = static_cast<int>(code);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
            why->clear();
        }
    } else {
        *why = "the null device or an output file did not open: system error " + std::to_string(GetLastError());
    }
    for (const HANDLE h : {in, outFile, errFile}) {
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
    return exitCode;
}
#else
int Run(std::string line, const std::string& out, const std::string& err, std::string* why) {
    line += " > \"" + out + "\" 2> \"" + err + "\" < /dev/null";
    const int status = std::system(line.c_str());
    if (status == -1) *why = "the shell did not start";
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

}  // namespace

Ran RunQvkdc(const TableRoot& root, const std::vector<std::string>& args) {
    std::string line = "\"" QVKDC_CLI_PATH "\"";
    for (const std::string& a : args) line += " \"" + a + "\"";
    Ran ran;
    std::string why;
    ran.exitCode = Run(line, root.PathOf("run.out"), root.PathOf("run.err"), &why);
    ran.out = WithoutCr(root.ReadFile("run.out"));
    ran.err = WithoutCr(root.ReadFile("run.err")) + why;
    return ran;
}
