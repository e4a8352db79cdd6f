// JsonReader: reads one JSON text value by value, from memory or streamed
// from a file in chunks, so that a large model file is never held whole.
//
// The reader follows RFC 8259: strings must be valid UTF-8 (escapes
// included, surrogates paired), numbers follow the JSON grammar, white space
// is blank, tab, line feed and carriage return, and a UTF-8 byte-order mark
// at the very start is skipped. A number without fraction or exponent is an
// int (kInt when negative, else kUint) unless it is too large for 64 bits,
// when it is read as a double, as is every other number; a double too large
// to hold is an error, one too small becomes 0 with its sign.
//
// The caller walks the text: Peek tells the type of the next value, and the
// Read/Begin calls consume it. Any call that returns false (or -1) has met
// a syntax error; Error() then says where: "parse error at line L, column
// C: what", the column counting bytes of the line up to and including the
// offending one (the end of the text counts as one).
#ifndef QVHOSTSIM_JSONREADER_H
#define QVHOSTSIM_JSONREADER_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace qvsim {

class JsonReader {
 public:
    enum class Type { kObject, kArray, kString, kNumber, kTrue, kFalse, kNull };
    struct Number {
        enum Kind { kInt, kUint, kDouble } kind = kInt;
        int64_t i = 0;   // kInt
        uint64_t u = 0;  // kUint
        double d = 0;    // kDouble
        bool integral = false;  // kDouble: written as an integer, beyond 64 bits
    };

    // Reads text, which must outlive the reader.
    explicit JsonReader(std::string_view text);
    // Bytes read from a file at a time, unless the constructor is told.
    static constexpr std::size_t kDefaultChunk = std::size_t{1} << 20;

    // Reads the file from its current position to its end, `chunk` bytes
    // at a time; a read error counts as the end of the text (see
    // ReadFailed).
    explicit JsonReader(std::FILE* file, std::size_t chunk = kDefaultChunk);
    JsonReader(const JsonReader&) = delete;
    JsonReader& operator=(const JsonReader&) = delete;

    // Type of the next value; false when no value can start there.
    bool Peek(Type* type);
    // Consume '{' or '['. REQUIRES: Peek gave kObject or kArray.
    void BeginObject();
    void BeginArray();
    // Next member of the innermost open object: 1 with *key (valid until
    // the next NextMember) and its ':' consumed; 0 when the object closed.
    int NextMember(std::string_view* key);
    // 1 when the innermost open array has another element; 0 when it
    // closed.
    int NextElement();
    // The next value as a string (valid until the next call), number or
    // literal. REQUIRES: Peek gave that type.
    bool ReadString(std::string_view* text);
    bool ReadNumber(Number* number);
    bool ReadLiteral();
    // Consumes the next value whatever it is, nested values included.
    bool SkipValue();
    // True when nothing but white space follows.
    bool AtEnd();
    // The line (from 1, counted by line feeds) of the next byte to read:
    // after Peek, the line the next value starts on. Counting goes on from
    // the last call, so a walk that asks at each value reads each byte once.
    uint64_t Line();

    const std::string& Error() const { return error_; }
    bool ReadFailed() const { return readFailed_; }

 private:
    // Reads more of the file; the bytes from *keep on stay in the buffer
    // and every pointer given is moved with them. False at the end.
    bool Refill(const char** keep, const char** other = nullptr);
    // Moves to the next byte that is not white space; false at the end.
    // The first call looks for the byte-order mark before any blank.
    bool SkipBlank() {
        if (!started_) return SkipBlankSlow();
        while (p_ < end_ && (*p_ == ' ' || *p_ == '\n' || *p_ == '\t' || *p_ == '\r')) ++p_;
        return p_ < end_ || SkipBlankSlow();
    }
    bool SkipBlankSlow();
    // SkipBlank; at the end of the input it fails with "unexpected end of
    // input; expected " + expected, unless reading already failed.
    bool SkipBlankBefore(const char* expected);
    bool Fail(const char* at, const std::string& what);
    int FailedCall(const char* at, const std::string& what);  // Fail, then -1
    bool ScanString(const char** pos, bool* plain);
    bool DecodeString(const char* start, std::string* out);
    bool ScanNumber(const char** pos, bool* integral);
    bool ScanNumberInBuffer(const char** pos, bool* integral) const;
    bool ReadShortNumber(Number* number);
    bool ReadHex4(const char** pos, unsigned* value);

    std::FILE* file_ = nullptr;
    bool readFailed_ = false;
    bool eof_ = true;
    std::vector<char> buffer_;
    const char* p_ = nullptr;    // next byte
    const char* end_ = nullptr;  // end of the bytes at hand
    const char* base_ = nullptr; // start of the bytes at hand
    uint64_t dropped_ = 0;       // bytes dropped before base_
    uint64_t droppedLines_ = 0;  // line feeds among them
    int64_t lastLineFeed_ = -1;  // offset of the last line feed dropped
    const char* counted_ = nullptr;  // Line: the line feeds before it, in
    uint64_t countedLines_ = 0;      // the bytes at hand, are countedLines_
    std::vector<char> open_;     // '{' or '[' per open container
    bool first_ = false;         // the innermost container has no member yet
    bool started_ = false;       // the byte-order mark was looked for
    char shortKey_[32];          // the last member name, when short
    std::string key_;            // the last member name, when long
    std::string scratch_;        // decoded string with escapes
    std::string error_;
};

}  // namespace qvsim

#endif  // QVHOSTSIM_JSONREADER_H
