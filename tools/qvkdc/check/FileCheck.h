// FileCheck: findings about whole files, from their bytes: a table file that
// is there but cannot be read (a folder, a link to nothing: where the import
// stops, or would stop once an earlier one is mended), is empty, or is saved
// in a form the readers take for something else (UTF-16, with or without a
// byte-order mark; CR-only line ends, a NUL or Ctrl-Z byte in the option
// file).
#ifndef QVKDC_TOOLS_CHECK_FILECHECK_H
#define QVKDC_TOOLS_CHECK_FILECHECK_H

#include "check/CheckContext.h"

class FileCheck {
 public:
    explicit FileCheck(const CheckContext& ctx) : ctx_(ctx) {}
    void Run();

 private:
    void CheckTable(CnvTblIndex index);
    void CheckOptionFile();

    const CheckContext& ctx_;
};

#endif  // QVKDC_TOOLS_CHECK_FILECHECK_H
