#include "report/ReportWriter.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <ctime>
#include <iostream>
#include <ostream>

#include "system/SystemFiles.h"

namespace {

// Why the stream failed: the system's reason when the failed write left
// one in errno.
std::string StreamFailure() {
    return errno != 0 ? std::strerror(errno) : std::string("the stream took no more bytes");
}

}  // namespace

ReportWriter::ReportWriter(OutputFile* file) : file_(file), block_(std::make_unique<char[]>(kBlock)) {}

ReportWriter::ReportWriter(std::ostream* stream) : stream_(stream), block_(std::make_unique<char[]>(kBlock)) {}

void ReportWriter::PutInt(long long value) {
    char digits[24];
    const std::to_chars_result r = std::to_chars(digits, digits + sizeof digits, value);
    Put(std::string_view(digits, static_cast<std::size_t>(r.ptr - digits)));
}

void ReportWriter::PutLong(std::string_view bytes) {
    const std::size_t room = kBlock - used_;
    std::memcpy(block_.get() + used_, bytes.data(), room);
    used_ = kBlock;
    bytes.remove_prefix(room);
    HandOn();
    if (bytes.size() >= kBlock) {
        Deliver(bytes);
    } else {
        std::memcpy(block_.get(), bytes.data(), bytes.size());
        used_ = bytes.size();
    }
}

void ReportWriter::HandOn() {
    Deliver(std::string_view(block_.get(), used_));
    used_ = 0;
}

void ReportWriter::Deliver(std::string_view bytes) {
    if (file_ != nullptr) {
        file_->Write(bytes);
    } else if (error_.empty()) {
        errno = 0;
        stream_->write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!*stream_) error_ = StreamFailure();
    }
}

std::string ReportWriter::Finish() {
    if (used_ > 0) HandOn();
    if (stream_ != nullptr && error_.empty()) {
        errno = 0;
        stream_->flush();
        if (!*stream_) error_ = StreamFailure();
    }
    return error_;
}

std::string WriteReport(const std::string& path, const std::function<void(ReportWriter*)>& write) {
    if (path.empty()) {
        ReportWriter writer(&std::cout);
        write(&writer);
        writer.Finish();
        return std::string();
    }
    OutputFile file;
    std::string why = file.Open(path);
    if (!why.empty()) return why;
    ReportWriter writer(&file);
    write(&writer);
    why = writer.Finish();
    const std::string closed = file.Close();
    return why.empty() ? closed : why;
}

std::string ReportDate() {
    // qvkdc runs one thread: localtime's shared result is safe here.
    const std::time_t now = std::time(nullptr);
    char text[32] = "";
    if (const std::tm* local = std::localtime(&now)) std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", local);
    return text;
}
