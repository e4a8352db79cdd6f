#include "SystemFiles.h"

std::string WriteWholeFile(const std::string& path, std::string_view bytes) {
    OutputFile file;
    const std::string why = file.Open(path);
    if (!why.empty()) return why;
    file.Write(bytes);
    return file.Close();
}
