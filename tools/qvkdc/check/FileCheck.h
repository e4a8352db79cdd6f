// FileCheck: findings about whole files: a table file that cannot be read,
// is missing where the export needs it at once, is empty, or is saved in a
// form the readers take for something else (UTF-16, CR-only line ends, a
// byte-order mark or a NUL byte in the option file).
#ifndef QVKDC_TOOLS_CHECK_FILECHECK_H
#define QVKDC_TOOLS_CHECK_FILECHECK_H

#include "check/CheckContext.h"

class FileCheck {
 public:
    explicit FileCheck(const CheckContext& ctx) : ctx_(ctx) {}
    void Run();

 private:
    void CheckTable(const CheckedTable& table);
    void CheckOptionFile();

    const CheckContext& ctx_;
};

#endif  // QVKDC_TOOLS_CHECK_FILECHECK_H
