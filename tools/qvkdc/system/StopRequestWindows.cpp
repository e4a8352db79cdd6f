#include <windows.h>

#include <atomic>

#include "system/StopRequest.h"

namespace {

std::atomic<bool> g_asked{false};

// Ctrl-C, Ctrl-Break and the console's close: the first is taken; a
// second goes to the default handler, which ends the process.
BOOL WINAPI OnConsoleEvent(DWORD) { return g_asked.exchange(true) ? FALSE : TRUE; }

}  // namespace

StopRequest::StopRequest() {
    g_asked = false;
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

StopRequest::~StopRequest() { SetConsoleCtrlHandler(OnConsoleEvent, FALSE); }

bool StopRequest::Asked() { return g_asked; }
