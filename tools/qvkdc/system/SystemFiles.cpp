#include "system/SystemFiles.h"

#include "ReadableFile.h"

std::string WhyNotReadableFile(const std::string& path) {
    ReadableFile file;
    return file.Open(path.c_str());
}

std::string OutputFile::Open(const std::string& path) {
    std::string why;
    return file_.Open(path, &why) == 0 ? "" : why;
}

void OutputFile::Write(std::string_view bytes) {
    std::string why;
    if (file_.IsOpen()) file_.Write(bytes, &why);
}

std::string OutputFile::Close() {
    std::string why;
    if (!file_.IsOpen()) return "the file is not open";
    return file_.Commit(&why) == 0 ? "" : why;
}

std::string WriteWholeFile(const std::string& path, std::string_view bytes) {
    OutputFile file;
    const std::string why = file.Open(path);
    if (!why.empty()) return why;
    file.Write(bytes);
    return file.Close();
}
