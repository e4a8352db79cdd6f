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

    // The code page called name (HostCodePage): "windows-1252", "cp1252",
    // "1252", "shift_jis", "utf-8", "65001", ... Null, with the reason in
    // *error (one line), for a name that is no code page of a host's 8-bit
    // texts, and for one the platform cannot convert.
    static std::unique_ptr<TextEncoding> Open(const std::string& name, std::string* error);
    // The name of the code page texts are in when none is given: the
    // system's ANSI code page on Windows; elsewhere the character set of
    // the user's locale when HostCodePage takes it, else windows-1252.
    static std::string DefaultName();

    const std::string& Name() const { return name_; }
    // text as UTF-8. A byte that belongs to no character of the code page
    // is written as \xHH, never dropped.
    virtual std::string ToUtf8(std::string_view text) const = 0;
    // True when ToUtf8 gives text back as it is, in every code page: text
    // is ASCII, which each of them keeps.
    static bool Utf8AsItIs(std::string_view text);
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

// The Windows code page a host's 8-bit texts are in that name stands for:
// an ANSI or OEM code page of Windows, of one or two bytes a character
// (1252, 1251, 932, 850, 437, ...), or UTF-8 (65001, which Windows allows
// as the system's ANSI code page). Every spelling names a number alike:
// "1252", "cp1252", "windows-1252"; "65001", "cp65001", "utf-8", "utf8";
// and a few names of their own ("shift_jis" 932, "gbk" 936, "big5" 950,
// ...). Letter case does not count. 0, with the reason in *why (one line),
// for the empty name, an unknown one, UTF-16, UTF-32 and UCS-2 in any
// spelling, and a code page that is no host's (iso-8859-1, koi8-r, ...).
unsigned HostCodePage(const std::string& name, std::string* why);

// "\xHH" for byte b.
std::string EscapedByte(unsigned char b);

#endif  // QVHOSTSIM_TEXTENCODING_H
