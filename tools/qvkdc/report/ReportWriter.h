// ReportWriter: the bytes of a report on their way out, as the report is
// made: gathered in a block and handed on a block at a time, to a file
// qvkdc writes itself (OutputFile) or to a stream (standard output), so
// that no report is ever held whole in memory. The first failure is kept;
// the bytes after it are dropped, and the command tells why.
#ifndef QVKDC_TOOLS_REPORT_REPORTWRITER_H
#define QVKDC_TOOLS_REPORT_REPORTWRITER_H

#include <cstddef>
#include <cstring>
#include <iosfwd>
#include <memory>
#include <functional>
#include <string>
#include <string_view>

class OutputFile;

class ReportWriter {
 public:
    // Bytes gathered before they are handed on.
    static constexpr std::size_t kBlock = 64 * 1024;

    // REQUIRES: file is open and outlives the writer. Its failures are
    // kept by the file, for its Close.
    explicit ReportWriter(OutputFile* file);
    // REQUIRES: stream outlives the writer.
    explicit ReportWriter(std::ostream* stream);
    ReportWriter(const ReportWriter&) = delete;
    ReportWriter& operator=(const ReportWriter&) = delete;

    void Put(std::string_view bytes) {
        if (bytes.size() <= kBlock - used_) {
            std::memcpy(block_.get() + used_, bytes.data(), bytes.size());
            used_ += bytes.size();
        } else {
            PutLong(bytes);
        }
    }
    void Put(char c) {
        if (used_ == kBlock) HandOn();
        block_[used_++] = c;
    }
    // value in decimal.
    void PutInt(long long value);

    // Hands on what is gathered and, for a stream, flushes it. Returns ""
    // or the reason for the first failure of the stream.
    std::string Finish();

 private:
    // Fills the block, hands it on, and gathers the rest.
    void PutLong(std::string_view bytes);
    void HandOn();
    void Deliver(std::string_view bytes);

    OutputFile* file_ = nullptr;
    std::ostream* stream_ = nullptr;
    std::unique_ptr<char[]> block_;
    std::size_t used_ = 0;
    std::string error_;
};

// Writes a report by write: to standard output when path is empty (whose
// failure is told once, when it closes), else to the file at path,
// replaced whole. Returns "" or why the file could not be written.
std::string WriteReport(const std::string& path, const std::function<void(ReportWriter*)>& write);

// The local time now, as reports state it: "2026-12-06 14:51:07".
std::string ReportDate();

#endif  // QVKDC_TOOLS_REPORT_REPORTWRITER_H
