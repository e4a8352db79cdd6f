#include "entry/QvkdcMsg.h"

#include <string>

#include "host/HostText.h"
#include "host/Qvmsg.h"
#include "host/Zrl.h"

namespace {

using MsgText = HostText<kQvkdcMsgLineMax + 1>;

void FetchText(int number, MsgText* text) {
    text->Clear();
    int unused = 0;
    ZrlErrGet(kQvkdcMsgGroup, number, 0, &unused, text->data());
}

}  // namespace

void QvkdcSetMsgColumns() {
    QvmsgMgrInit();
    MsgText text;
    std::string title;
    for (int number = 1; number <= 3; ++number) {
        FetchText(number, &text);
        if (number > 1) title += '\t';
        title += text.view();
    }
    MsgText line;
    line.Assign(title);
    QvmsgSetClmTtl(line.c_str());
}

void WriteMsg(const char* field1, const char* field2, int msgNo) {
    std::string joined = field1;
    joined += '\t';
    joined += field2;
    joined += '\t';
    MsgText text;
    FetchText(msgNo, &text);
    joined += text.view();
    MsgText line;
    line.Assign(joined);
    const int kind = 3;
    QvmsgAddMsg(&kind, line.c_str());
}
