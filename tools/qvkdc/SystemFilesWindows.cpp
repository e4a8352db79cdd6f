#include <windows.h>

#include "SystemFiles.h"

namespace {

// The system's text for error, without the line end and full stop it ends
// with ("The system cannot find the file specified").
std::string ErrorText(DWORD error) {
    char* text = nullptr;
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = n > 0 && text != nullptr ? std::string(text, n)
                                                   : "system error " + std::to_string(error);
    if (text != nullptr) LocalFree(text);
    while (!message.empty() &&
           (message.back() == '\n' || message.back() == '\r' || message.back() == ' ' ||
            message.back() == '.')) {
        message.pop_back();
    }
    return message;
}

}  // namespace

std::string WhyNotWritableFile(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return ErrorText(GetLastError());
    const bool created = GetLastError() != ERROR_ALREADY_EXISTS;
    CloseHandle(file);
    if (created) DeleteFileA(path.c_str());
    return "";
}

std::size_t NameLengthLimit(const std::string&) { return 255; }

// Windows has no signal for a file size limit.
void KeepRunningPastFileSizeLimit() {}
