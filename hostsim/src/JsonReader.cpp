#include "JsonReader.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace qvsim {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool IsDigit(int c) { return c >= '0' && c <= '9'; }

// Bytes a string holds as they stand: not a quote, backslash, control
// character or start of a multi-byte sequence.
struct PlainBytes {
    bool plain[256];
    constexpr PlainBytes() : plain() {
        for (int c = 0x20; c < 0x80; ++c) plain[c] = c != '"' && c != '\\';
    }
};
constexpr PlainBytes kPlain;

// Length of the well-formed UTF-8 sequence at s (up to 4 bytes at hand,
// n of them), or 0 when it is not one (RFC 3629).
int Utf8Length(const unsigned char* s, std::size_t n) {
    const unsigned c = s[0];
    int len = 0;
    unsigned lo = 0x80, hi = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        len = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        len = 3;
        if (c == 0xE0) lo = 0xA0;
        if (c == 0xED) hi = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        len = 4;
        if (c == 0xF0) lo = 0x90;
        if (c == 0xF4) hi = 0x8F;
    } else {
        return 0;
    }
    if (n < static_cast<std::size_t>(len)) return 0;
    if (s[1] < lo || s[1] > hi) return 0;
    for (int i = 2; i < len; ++i) {
        if (s[i] < 0x80 || s[i] > 0xBF) return 0;
    }
    return len;
}

void AppendUtf8(unsigned cp, std::string* out) {
    if (cp < 0x80) {
        out->push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out->push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out->push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Rough decimal magnitude of a number token that a double cannot hold:
// above 0 it overflowed, below it underflowed.
long Magnitude(std::string_view token) {
    std::size_t i = token[0] == '-' ? 1 : 0;
    long intDigits = 0;
    long leadingZeros = 0;
    bool seenNonZero = false;
    for (; i < token.size() && IsDigit(token[i]); ++i) {
        seenNonZero = seenNonZero || token[i] != '0';
        if (seenNonZero) ++intDigits;
    }
    if (i < token.size() && token[i] == '.') {
        for (++i; i < token.size() && IsDigit(token[i]); ++i) {
            if (!seenNonZero && token[i] == '0') ++leadingZeros;
            seenNonZero = seenNonZero || token[i] != '0';
        }
    }
    long exponent = 0;
    if (i < token.size()) {  // 'e' or 'E'
        ++i;
        const bool negative = token[i] == '-';
        if (token[i] == '+' || token[i] == '-') ++i;
        for (; i < token.size(); ++i) {
            exponent = std::min(exponent * 10 + (token[i] - '0'), 1000000000L);
        }
        if (negative) exponent = -exponent;
    }
    return exponent + (intDigits > 0 ? intDigits : -leadingZeros);
}

}  // namespace

JsonReader::JsonReader(std::string_view text)
    : p_(text.data()), end_(text.data() + text.size()), base_(text.data()), counted_(text.data()) {}

JsonReader::JsonReader(std::FILE* file, std::size_t chunk)
    : file_(file), eof_(false), buffer_(chunk > 0 ? chunk : 1) {
    base_ = p_ = end_ = counted_ = buffer_.data();
}

uint64_t JsonReader::Line() {
    for (const char* c = counted_; c < p_; ++c) {
        c = static_cast<const char*>(std::memchr(c, '\n', static_cast<std::size_t>(p_ - c)));
        if (c == nullptr) break;
        ++countedLines_;
    }
    counted_ = p_;
    return droppedLines_ + countedLines_ + 1;
}

bool JsonReader::Refill(const char** keep, const char** other) {
    if (file_ == nullptr || eof_) return false;
    // Lines of the bytes dropped, for the place of a later error.
    for (const char* c = base_;; ++c) {
        c = static_cast<const char*>(std::memchr(c, '\n', static_cast<std::size_t>(p_ - c)));
        if (c == nullptr) break;
        ++droppedLines_;
        lastLineFeed_ = static_cast<int64_t>(dropped_ + static_cast<uint64_t>(c - base_));
    }
    dropped_ += static_cast<uint64_t>(p_ - base_);
    const std::size_t kept = static_cast<std::size_t>(end_ - p_);
    const std::size_t keepOffset = static_cast<std::size_t>(*keep - p_);
    const std::size_t otherOffset = other != nullptr ? static_cast<std::size_t>(*other - p_) : 0;
    if (kept > buffer_.size() / 2) {
        std::vector<char> bigger(buffer_.size() * 2);
        std::memcpy(bigger.data(), p_, kept);
        buffer_.swap(bigger);
    } else {
        std::memmove(buffer_.data(), p_, kept);
    }
    const std::size_t n = std::fread(buffer_.data() + kept, 1, buffer_.size() - kept, file_);
    if (n == 0) {
        eof_ = true;
        readFailed_ = std::ferror(file_) != 0;
    }
    base_ = p_ = counted_ = buffer_.data();
    countedLines_ = 0;
    end_ = base_ + kept + n;
    *keep = p_ + keepOffset;
    if (other != nullptr) *other = p_ + otherOffset;
    return n > 0;
}

bool JsonReader::Fail(const char* at, const std::string& what) {
    uint64_t lines = droppedLines_;
    int64_t lastLineFeed = lastLineFeed_;
    for (const char* c = base_; c < at; ++c) {
        if (*c == '\n') {
            ++lines;
            lastLineFeed = static_cast<int64_t>(dropped_ + static_cast<uint64_t>(c - base_));
        }
    }
    const int64_t offset = static_cast<int64_t>(dropped_ + static_cast<uint64_t>(at - base_));
    error_ = "parse error at line " + std::to_string(lines + 1) + ", column " +
             std::to_string(offset - lastLineFeed) + ": " + what;
    return false;
}

bool JsonReader::SkipBlankBefore(const char* expected) {
    if (SkipBlank()) return true;
    if (error_.empty()) Fail(end_, std::string("unexpected end of input; expected ") + expected);
    return false;
}

int JsonReader::FailedCall(const char* at, const std::string& what) {
    Fail(at, what);
    return -1;
}

bool JsonReader::SkipBlankSlow() {
    if (!started_) {
        started_ = true;
        const char* q = p_;
        while (end_ - p_ < 3 && Refill(&q)) {
        }
        if (p_ < end_ && static_cast<unsigned char>(*p_) == 0xEF) {
            if (end_ - p_ < 3 || static_cast<unsigned char>(p_[1]) != 0xBB ||
                static_cast<unsigned char>(p_[2]) != 0xBF) {
                return Fail(p_ + std::min<std::ptrdiff_t>(end_ - p_, 1),
                            "invalid BOM; must be 0xEF 0xBB 0xBF if given");
            }
            p_ += 3;
        }
    }
    for (;;) {
        while (p_ < end_ && IsBlank(*p_)) ++p_;
        if (p_ < end_) return true;
        const char* q = p_;
        if (!Refill(&q)) return false;
    }
}

bool JsonReader::Peek(Type* type) {
    if (!SkipBlankBefore("a value")) return false;
    switch (*p_) {
        case '{': *type = Type::kObject; return true;
        case '[': *type = Type::kArray; return true;
        case '"': *type = Type::kString; return true;
        case 't': *type = Type::kTrue; return true;
        case 'f': *type = Type::kFalse; return true;
        case 'n': *type = Type::kNull; return true;
        default:
            if (*p_ == '-' || IsDigit(*p_)) {
                *type = Type::kNumber;
                return true;
            }
            return Fail(p_, "invalid literal; expected a value");
    }
}

void JsonReader::BeginObject() {
    ++p_;
    open_.push_back('{');
    first_ = true;
}

void JsonReader::BeginArray() {
    ++p_;
    open_.push_back('[');
    first_ = true;
}

int JsonReader::NextMember(std::string_view* key) {
    if (!SkipBlankBefore("'}'")) return -1;
    if (*p_ == '}') {
        ++p_;
        open_.pop_back();
        first_ = false;
        return 0;
    }
    if (!first_) {
        if (*p_ != ',') return FailedCall(p_, "syntax error; expected ',' or '}'");
        ++p_;
        if (!SkipBlankBefore("a member name")) return -1;
    }
    if (*p_ != '"') return FailedCall(p_, "syntax error; expected a member name");
    std::string_view text;
    if (!ReadString(&text)) return -1;
    if (text.size() <= sizeof shortKey_) {
        // A fixed-size copy where the bytes are there: one or two moves.
        if (end_ - text.data() >= static_cast<std::ptrdiff_t>(sizeof shortKey_) &&
            text.data() >= base_) {
            std::memcpy(shortKey_, text.data(), sizeof shortKey_);
        } else {
            std::memcpy(shortKey_, text.data(), text.size());
        }
        *key = std::string_view(shortKey_, text.size());
    } else {
        key_.assign(text.data(), text.size());
        *key = key_;
    }
    if (!SkipBlankBefore("':'")) return -1;
    if (*p_ != ':') return FailedCall(p_, "syntax error; expected ':'");
    ++p_;
    first_ = false;
    return 1;
}

int JsonReader::NextElement() {
    if (!SkipBlankBefore("']'")) return -1;
    if (*p_ == ']') {
        ++p_;
        open_.pop_back();
        first_ = false;
        return 0;
    }
    if (first_) {
        first_ = false;
        return 1;
    }
    if (*p_ != ',') return FailedCall(p_, "syntax error; expected ',' or ']'");
    ++p_;
    return 1;
}

bool JsonReader::ScanString(const char** pos, bool* plain) {
    const char* q = *pos + 1;
    *plain = true;
    for (;;) {
        while (q < end_ && kPlain.plain[static_cast<unsigned char>(*q)]) ++q;
        if (q == end_) {
            if (!Refill(&q)) return Fail(end_, "invalid string: missing closing quote");
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(*q);
        if (c == '"') {
            *pos = q + 1;
            return true;
        }
        if (c == '\\') {
            *plain = false;
            while (end_ - q < 2 && Refill(&q)) {
            }
            if (end_ - q < 2) return Fail(end_, "invalid string: missing closing quote");
            q += 2;
        } else if (c < 0x20) {
            return Fail(q, "invalid string: control character must be escaped");
        } else {
            while (end_ - q < 4 && Refill(&q)) {
            }
            const int len = Utf8Length(reinterpret_cast<const unsigned char*>(q),
                                       static_cast<std::size_t>(end_ - q));
            if (len == 0) return Fail(q, "invalid string: ill-formed UTF-8 byte");
            q += len;
        }
    }
}

bool JsonReader::ReadHex4(const char** pos, unsigned* value) {
    const char* q = *pos;
    *value = 0;
    for (int i = 0; i < 4; ++i, ++q) {
        const char c = *q;
        unsigned digit;
        if (c >= '0' && c <= '9') {
            digit = static_cast<unsigned>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<unsigned>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<unsigned>(c - 'A' + 10);
        } else {
            return Fail(q, "invalid string: '\\u' must be followed by 4 hex digits");
        }
        *value = *value * 16 + digit;
    }
    *pos = q;
    return true;
}

// REQUIRES: ScanString accepted the string that starts at start, so its
// closing quote is in the buffer and every byte outside escapes is valid;
// a backslash there is followed by one more byte of the string.
bool JsonReader::DecodeString(const char* start, std::string* out) {
    out->clear();
    const char* q = start + 1;
    for (;;) {
        const char* run = q;
        while (*q != '"' && *q != '\\') ++q;
        out->append(run, static_cast<std::size_t>(q - run));
        if (*q == '"') return true;
        const char* escape = q;
        ++q;
        switch (*q++) {
            case '"': out->push_back('"'); break;
            case '\\': out->push_back('\\'); break;
            case '/': out->push_back('/'); break;
            case 'b': out->push_back('\b'); break;
            case 'f': out->push_back('\f'); break;
            case 'n': out->push_back('\n'); break;
            case 'r': out->push_back('\r'); break;
            case 't': out->push_back('\t'); break;
            case 'u': {
                // The closing quote is no hex digit: ReadHex4 stops at it
                // at the latest, wherever the bytes at hand end.
                unsigned cp = 0;
                if (!ReadHex4(&q, &cp)) return false;
                if (cp >= 0xDC00 && cp <= 0xDFFF) {
                    return Fail(q, "invalid string: surrogate U+DC00..U+DFFF must follow "
                                   "U+D800..U+DBFF");
                }
                if (cp >= 0xD800 && cp <= 0xDBFF) {
                    unsigned low = 0;
                    if (q[0] != '\\' || q[1] != 'u') {
                        return Fail(q, "invalid string: surrogate U+D800..U+DBFF must be "
                                       "followed by U+DC00..U+DFFF");
                    }
                    q += 2;
                    if (!ReadHex4(&q, &low)) return false;
                    if (low < 0xDC00 || low > 0xDFFF) {
                        return Fail(q, "invalid string: surrogate U+D800..U+DBFF must be "
                                       "followed by U+DC00..U+DFFF");
                    }
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                }
                AppendUtf8(cp, out);
                break;
            }
            default:
                return Fail(escape + 1, "invalid string: forbidden character after backslash");
        }
    }
}

bool JsonReader::ReadString(std::string_view* text) {
    const char* q = p_;
    bool plain = true;
    if (!ScanString(&q, &plain)) return false;
    if (plain) {
        *text = std::string_view(p_ + 1, static_cast<std::size_t>(q - p_ - 2));
    } else {
        if (!DecodeString(p_, &scratch_)) return false;
        *text = scratch_;
    }
    p_ = q;
    return true;
}

// ScanNumber for a number that ends before the bytes at hand do (or with
// them, at the end of the text): false when it may go on beyond them.
bool JsonReader::ScanNumberInBuffer(const char** pos, bool* integral) const {
    const char* q = p_;
    auto digits = [&] {
        const char* from = q;
        while (q < end_ && IsDigit(*q)) ++q;
        return q > from;
    };
    *integral = true;
    if (q < end_ && *q == '-') ++q;
    if (q < end_ && *q == '0') {
        ++q;
    } else if (!digits()) {
        return false;
    }
    if (q < end_ && *q == '.') {
        *integral = false;
        ++q;
        if (!digits()) return false;
    }
    if (q < end_ && (*q == 'e' || *q == 'E')) {
        *integral = false;
        ++q;
        if (q < end_ && (*q == '+' || *q == '-')) ++q;
        if (!digits()) return false;
    }
    if (q == end_ && !eof_) return false;
    *pos = q;
    return true;
}

bool JsonReader::ScanNumber(const char** pos, bool* integral) {
    if (ScanNumberInBuffer(pos, integral)) return true;
    const char* q = p_;
    // Next byte of the number, or -1 at the end of the text.
    auto at = [&]() -> int {
        if (q == end_ && !Refill(&q)) return -1;
        return static_cast<unsigned char>(*q);
    };
    *integral = true;
    if (at() == '-') ++q;
    int c = at();
    if (c == '0') {
        ++q;
    } else if (c >= '1' && c <= '9') {
        while (IsDigit(at())) ++q;
    } else {
        return Fail(q, "invalid number; expected a digit");
    }
    if (at() == '.') {
        *integral = false;
        ++q;
        if (!IsDigit(at())) return Fail(q, "invalid number; expected a digit after '.'");
        while (IsDigit(at())) ++q;
    }
    c = at();
    if (c == 'e' || c == 'E') {
        *integral = false;
        ++q;
        c = at();
        if (c == '+' || c == '-') ++q;
        if (!IsDigit(at())) return Fail(q, "invalid number; expected a digit in the exponent");
        while (IsDigit(at())) ++q;
    }
    *pos = q;
    return true;
}

// ReadNumber in one pass for the numbers most texts hold: an int of at
// most 18 digits, or a decimal without exponent of at most 15 digits (an
// exact quotient of two exact doubles, so correctly rounded as from_chars
// would round it). False, having read nothing, for any other number and
// for one that may go on beyond the bytes at hand.
bool JsonReader::ReadShortNumber(Number* number) {
    static constexpr double kPow10[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const char* q = p_;
    const bool negative = q < end_ && *q == '-';
    if (negative) ++q;
    if (q == end_ || !IsDigit(*q)) return false;
    uint64_t digits = 0;
    const char* first = q;
    if (*q == '0') {
        ++q;
    } else {
        while (q < end_ && IsDigit(*q)) digits = digits * 10 + static_cast<uint64_t>(*q++ - '0');
    }
    if (q - first > 18) return false;
    int decimals = -1;
    if (q < end_ && *q == '.') {
        const char* fraction = ++q;
        while (q < end_ && IsDigit(*q)) digits = digits * 10 + static_cast<uint64_t>(*q++ - '0');
        decimals = static_cast<int>(q - fraction);
        if (decimals == 0 || q - first - 1 > 15) return false;
    }
    if (q < end_ && (*q == 'e' || *q == 'E')) return false;
    if (q == end_ && !eof_) return false;
    if (decimals >= 0) {
        const double d = static_cast<double>(digits) / kPow10[decimals];
        number->kind = Number::kDouble;
        number->d = negative ? -d : d;
    } else if (negative) {
        number->kind = Number::kInt;
        number->i = -static_cast<int64_t>(digits);
    } else {
        number->kind = Number::kUint;
        number->u = digits;
    }
    p_ = q;
    return true;
}

bool JsonReader::ReadNumber(Number* number) {
    if (ReadShortNumber(number)) return true;
    const char* q = p_;
    bool integral = true;
    if (!ScanNumber(&q, &integral)) return false;
    const char* first = p_;
    if (integral) {
        if (*first == '-') {
            const std::from_chars_result r = std::from_chars(first, q, number->i);
            if (r.ec == std::errc()) {
                number->kind = Number::kInt;
                p_ = q;
                return true;
            }
        } else {
            const std::from_chars_result r = std::from_chars(first, q, number->u);
            if (r.ec == std::errc()) {
                number->kind = Number::kUint;
                p_ = q;
                return true;
            }
        }
    }
    number->kind = Number::kDouble;
    number->integral = integral;
    const std::from_chars_result r = std::from_chars(first, q, number->d);
    if (r.ec == std::errc::result_out_of_range) {
        const std::string_view token(first, static_cast<std::size_t>(q - first));
        if (Magnitude(token) > 0) {
            return Fail(first, "number overflow parsing '" + std::string(token) + "'");
        }
        number->d = *first == '-' ? -0.0 : 0.0;
    } else if (r.ec != std::errc()) {
        return Fail(first, "invalid number");
    }
    p_ = q;
    return true;
}

bool JsonReader::ReadLiteral() {
    const char* word = *p_ == 't' ? "true" : *p_ == 'f' ? "false" : "null";
    const char* q = p_;
    for (const char* w = word; *w != '\0'; ++w, ++q) {
        if (q == end_ && !Refill(&q)) return Fail(end_, "invalid literal");
        if (*q != *w) return Fail(q, "invalid literal");
    }
    p_ = q;
    return true;
}

bool JsonReader::SkipValue() {
    const std::size_t depth = open_.size();
    std::string_view unused;
    for (;;) {
        Type type;
        if (!Peek(&type)) return false;
        switch (type) {
            case Type::kObject: BeginObject(); break;
            case Type::kArray: BeginArray(); break;
            case Type::kString:
                if (!ReadString(&unused)) return false;
                break;
            case Type::kNumber: {
                Number n;
                if (!ReadNumber(&n)) return false;
                break;
            }
            case Type::kTrue:
            case Type::kFalse:
            case Type::kNull:
                if (!ReadLiteral()) return false;
                break;
        }
        // Close what ends here, up to the next value to read.
        for (;;) {
            if (open_.size() == depth) return true;
            const int r = open_.back() == '{' ? NextMember(&unused) : NextElement();
            if (r < 0) return false;
            if (r == 1) break;
        }
    }
}

bool JsonReader::AtEnd() {
    if (!SkipBlank()) return error_.empty();
    return Fail(p_, "syntax error; expected the end of the text");
}

}  // namespace qvsim
