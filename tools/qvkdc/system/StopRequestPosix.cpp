#include <signal.h>

#include "system/StopRequest.h"

namespace {

volatile sig_atomic_t g_asked = 0;
struct sigaction g_previous[2];
bool g_installed[2] = {};
constexpr int kSignals[2] = {SIGINT, SIGTERM};

// Only async-signal-safe calls: the next request takes the default action.
extern "C" void OnStopRequest(int) {
    g_asked = 1;
    struct sigaction dfl = {};
    dfl.sa_handler = SIG_DFL;
    for (int i = 0; i < 2; ++i) {
        if (g_installed[i]) sigaction(kSignals[i], &dfl, nullptr);
    }
}

}  // namespace

StopRequest::StopRequest() {
    g_asked = 0;
    struct sigaction stop = {};
    stop.sa_handler = OnStopRequest;
    sigemptyset(&stop.sa_mask);
    stop.sa_flags = SA_RESTART;
    // A signal the process was started ignoring stays ignored.
    for (int i = 0; i < 2; ++i) {
        g_installed[i] = sigaction(kSignals[i], nullptr, &g_previous[i]) == 0 && g_previous[i].sa_handler != SIG_IGN &&
                         sigaction(kSignals[i], &stop, nullptr) == 0;
    }
}

StopRequest::~StopRequest() {
    for (int i = 0; i < 2; ++i) {
        if (g_installed[i]) sigaction(kSignals[i], &g_previous[i], nullptr);
    }
}

bool StopRequest::Asked() { return g_asked != 0; }
