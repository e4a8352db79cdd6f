// TextEncoding: an 8-bit ANSI code page of the host, to and from UTF-8. The
// stand-in host makes the UTF-8 texts of a model file the host's own 8-bit
// texts with it; qvkdc makes the texts of the tables, the model and the
// file names UTF-8 again for its reports (check's HTML and JSON, export's
// JSON report).
//
// One implementation per platform: TextEncodingPosix.cpp with iconv,
// TextEncodingWindows.cpp with MultiByteToWideChar and WideCharToMultiByte.
#ifndef QVHOSTSIM_TEXTENCODING_H
#define QVHOSTSIM_TEXTENCODING_H

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

class TextEncoding {
 public:
    virtual ~TextEncoding() = default;

    // The code page called name: "windows-1252", "windows-1251",
    // "shift_jis", "cp932", "1252", and whatever else the platform knows.
    // Null, with the reason in *error, when the platform does not know it.
    static std::unique_ptr<TextEncoding> Open(const std::string& name, std::string* error);
    // The name of the code page texts are in when none is given: the
    // system's ANSI code page on Windows; elsewhere the character set of
    // the user's locale, or windows-1252 when that is plain ASCII.
    static std::string DefaultName();

    const std::string& Name() const { return name_; }
    // text as UTF-8. A byte that belongs to no character of the code page
    // is written as \xHH, never dropped.
    virtual std::string ToUtf8(std::string_view text) const = 0;
    // utf8 in the code page into *out. False, with *out unspecified, when
    // utf8 is no UTF-8 or holds a character the code page has not.
    virtual bool FromUtf8(std::string_view utf8, std::string* out) const = 0;
    // The number of bytes of the character that starts at text[at]: 1, or 2
    // and more in a code page of several bytes per character (shift_jis: a
    // lead byte and a trail byte, which may be 0x5C). A byte that starts no
    // character counts 1.
    // REQUIRES: at < text.size().
    virtual std::size_t CharLength(std::string_view text, std::size_t at) const = 0;

 protected:
    explicit TextEncoding(std::string name) : name_(std::move(name)) {}

 private:
    std::string name_;
};

// The Windows code page number a name stands for: "windows-1252", "cp1252"
// and "1252" are 1252, "shift_jis" (and "sjis", "windows-31j") 932, and
// a few names of their own ("gbk" 936, "utf-8" 65001, "iso-8859-5"
// 28595, ...); 0 for any other name. Letter case does not count.
unsigned CodePageNumber(const std::string& name);

// "\xHH" for byte b.
std::string EscapedByte(unsigned char b);

#endif  // QVHOSTSIM_TEXTENCODING_H
