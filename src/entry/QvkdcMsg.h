// Messages to the host's message manager. Titles and texts are fetched by
// number from the host's message resources, message group 577685.
#ifndef QVKDC_ENTRY_QVKDCMSG_H
#define QVKDC_ENTRY_QVKDCMSG_H

// Message group of every text this library fetches.
constexpr int kQvkdcMsgGroup = 577685;
// Message numbers.
constexpr int kQvkdcMsgRejectedPlan = 4;
constexpr int kQvkdcMsgRunFailed = 9999;
// Longest title line or message line, in bytes; longer ones are cut.
constexpr int kQvkdcMsgLineMax = 255;

// Column set-up: initialises the message manager and gives it the title
// line, texts 1, 2 and 3 joined by tabs.
void QvkdcSetMsgColumns();

// Adds the message line field1 TAB field2 TAB text(msgNo), of kind 3.
// REQUIRES: field1 and field2 are NUL-terminated.
void WriteMsg(const char* field1, const char* field2, int msgNo);

#endif  // QVKDC_ENTRY_QVKDCMSG_H
