// Message resources (ZrlErrGet) and message manager (Qvmsg) of the stand-in
// host. The calls that store text are guarded: running out of memory loses
// the text, no exception leaves the call.
#include <cstring>

#include "Faults.h"
#include "Guarded.h"
#include "MessageStore.h"
#include "host/Qvmsg.h"
#include "host/Zrl.h"

using qvsim::HostCall;
using qvsim::TheFaults;
using qvsim::TheMessages;

int ZrlErrGet(int group, int number, int, int* unused, char* text) {
    TheFaults().Hit(HostCall::kZrlErrGet);
    const std::string* found = TheMessages().Text(group, number);
    if (found == nullptr || text == nullptr) return -1;
    const std::size_t n = found->size() < 255 ? found->size() : 255;
    std::memcpy(text, found->data(), n);
    text[n] = '\0';
    if (unused != nullptr) *unused = 0;
    return 0;
}

void QvmsgMgrInit(void) {
    TheFaults().Hit(HostCall::kQvmsgMgrInit);
    qvsim::Guarded([] { TheMessages().Init(); });
}

void QvmsgSetClmTtl(const char* title) {
    TheFaults().Hit(HostCall::kQvmsgSetClmTtl);
    qvsim::Guarded([&] { TheMessages().SetTitle(title); });
}

void QvmsgAddMsg(const int* kind, const char* line) {
    TheFaults().Hit(HostCall::kQvmsgAddMsg);
    qvsim::Guarded([&] { TheMessages().Add(kind != nullptr ? *kind : -1, line); });
}
