#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>


#include "system/Terminal.h"

bool StdinIsConsole() { return isatty(STDIN_FILENO) != 0; }

extern char** environ;

bool OpenInBrowser(const std::string& address) {
    std::string program = "xdg-open", page = address;
    char* argv[] = {program.data(), page.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv, environ) != 0) return false;
    // xdg-open hands the page to the browser and ends; it is not waited for
    // longer than that.
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
