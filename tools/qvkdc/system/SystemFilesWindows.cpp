#include <windows.h>

#include "system/SystemFiles.h"
#include "SystemErrorText.h"

std::string WhyNotWritableFile(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return SystemErrorText(GetLastError());
    const bool created = GetLastError() != ERROR_ALREADY_EXISTS;
    CloseHandle(file);
    if (created) DeleteFileA(path.c_str());
    return "";
}

std::size_t NameLengthLimit(const std::string&) { return 255; }

// Windows has no signal for a file size limit.
void KeepRunningPastFileSizeLimit() {}
