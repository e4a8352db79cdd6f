#include <windows.h>

#include "examine/Status.h"
#include "examine/SystemErrorText.h"

// A missing file and a missing folder on the path are told apart by the
// system; both are "not found".
Status Status::FromSystem(int code) {
    const auto error = static_cast<unsigned long>(code);
    return Status(code, SystemErrorText(error), error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND);
}
