#include "SystemFiles.h"

#include "platform/ReadableFile.h"

std::string WhyNotReadableFile(const std::string& path) {
    ReadableFile file;
    return file.Open(path.c_str());
}

std::string WriteWholeFile(const std::string& path, std::string_view bytes) {
    OutputFile file;
    const std::string why = file.Open(path);
    if (!why.empty()) return why;
    file.Write(bytes);
    return file.Close();
}
