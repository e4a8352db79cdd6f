#include "system/SystemFiles.h"

std::string OutputFile::Open(const std::string& path) { return file_.Open(path).ToString(); }

void OutputFile::Write(std::string_view bytes) {
    if (file_.IsOpen()) file_.Write(bytes);
}

std::string OutputFile::Close() {
    if (!file_.IsOpen()) return "the file is not open";
    return file_.Commit().ToString();
}

std::string WriteWholeFile(const std::string& path, std::string_view bytes) {
    OutputFile file;
    const std::string why = file.Open(path);
    if (!why.empty()) return why;
    file.Write(bytes);
    return file.Close();
}
