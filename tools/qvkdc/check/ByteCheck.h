// ByteCheck: findings at the line, and the byte, where a file's bytes hold
// a mistake that its reader passes over in silence (LineBytes): cells
// separated by spaces, a byte-order mark in the middle of a file, an
// invisible blank at an end of a cell, a CR alone, text in another
// encoding than the code page. What merely follows from such a line (the
// item it names has no key, no value type, no title) is not told again.
#ifndef QVKDC_TOOLS_CHECK_BYTECHECK_H
#define QVKDC_TOOLS_CHECK_BYTECHECK_H

#include <string>

#include "check/CheckContext.h"

struct ByteFault;

class ByteCheck {
 public:
    explicit ByteCheck(const CheckContext& ctx) : ctx_(ctx) {}
    void Run();

 private:
    // Tells the faults of f; table: which table it is, or -1 for the option file.
    void CheckFile(const InputFile& f, int table);
    // more: how many more lines are alike, told by the last one kept.
    void TellSpaced(const InputFile& f, int table, const ByteFault& fault, const std::string& more);
    void TellEncoding(const InputFile& f, const ByteFault& fault);
    // ", while FILE is in ...": a file of the root whose text is of the other kind.
    std::string OtherFile(const InputFile& f) const;

    const CheckContext& ctx_;
};

#endif  // QVKDC_TOOLS_CHECK_BYTECHECK_H
