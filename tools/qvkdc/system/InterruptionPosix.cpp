#include <signal.h>
#include <sys/resource.h>

#include <cstdlib>

#include "system/Interruption.h"

namespace {

volatile sig_atomic_t g_signal = 0;
volatile sig_atomic_t g_running = 0;  // the library's run is on: writes are to fail
struct rlimit g_limit;           // the file size limit before the object
struct sigaction g_previous[2];  // SIGINT's and SIGTERM's handlers before
bool g_installed[2] = {};        // whether ours took their place
constexpr int kSignals[2] = {SIGINT, SIGTERM};

// Only async-signal-safe calls: setrlimit is one system call, sigaction
// another.
extern "C" void OnStop(int signal) {
    if (g_signal == 0) g_signal = signal;
    if (g_running != 0) {
        struct rlimit none = g_limit;
        none.rlim_cur = 0;
        setrlimit(RLIMIT_FSIZE, &none);
    }
    struct sigaction dfl = {};
    dfl.sa_handler = SIG_DFL;
    for (int i = 0; i < 2; ++i) {
        if (g_installed[i]) sigaction(kSignals[i], &dfl, nullptr);
    }
}

}  // namespace

Interruption::Interruption() {
    getrlimit(RLIMIT_FSIZE, &g_limit);
    g_running = 1;
    struct sigaction stop = {};
    stop.sa_handler = OnStop;
    sigemptyset(&stop.sa_mask);
    for (const int s : kSignals) sigaddset(&stop.sa_mask, s);
    // A read the signal comes in goes on; the next write fails.
    stop.sa_flags = SA_RESTART;
    // A signal the process was started ignoring (SIGINT in a background
    // job of a shell) stays ignored: it is not meant for this process.
    for (int i = 0; i < 2; ++i) {
        g_installed[i] = sigaction(kSignals[i], nullptr, &g_previous[i]) == 0 && g_previous[i].sa_handler != SIG_IGN &&
                         sigaction(kSignals[i], &stop, nullptr) == 0;
    }
}

Interruption::~Interruption() {
    RunEnded();
    for (int i = 0; i < 2; ++i) {
        if (g_installed[i]) sigaction(kSignals[i], &g_previous[i], nullptr);
    }
}

void Interruption::RunEnded() {
    // Cleared first: a signal from here on leaves the limit alone.
    g_running = 0;
    if (g_signal != 0) setrlimit(RLIMIT_FSIZE, &g_limit);
}

void Interruption::Hold() {
    sigset_t set;
    sigemptyset(&set);
    for (const int s : kSignals) sigaddset(&set, s);
    sigprocmask(SIG_BLOCK, &set, nullptr);
}

int Interruption::Signal() { return g_signal; }

const char* Interruption::SignalName() {
    switch (g_signal) {
        case SIGINT: return "SIGINT";
        case SIGTERM: return "SIGTERM";
        default: return "";
    }
}

int Interruption::ExitCode() { return 128 + g_signal; }

void Interruption::EndBySignal() {
    if (g_signal == 0) return;
    struct sigaction dfl = {};
    dfl.sa_handler = SIG_DFL;
    sigaction(g_signal, &dfl, nullptr);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, g_signal);
    sigprocmask(SIG_UNBLOCK, &set, nullptr);
    raise(g_signal);
    // Still here: the signal cannot end the process (a debugger holds it).
    std::_Exit(ExitCode());
}
