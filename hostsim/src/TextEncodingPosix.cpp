// TextEncoding on POSIX: iconv.
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "TextEncoding.h"

namespace {

// The name iconv knows code page cp by: "CP1252", "CP932", "UTF-8". The
// numbers are taken as Windows means them: 932 is Windows' Shift JIS, where
// 0x5C is a backslash (iconv's SHIFT_JIS makes it a yen sign).
std::string IconvName(unsigned cp) { return cp == 65001 ? "UTF-8" : "CP" + std::to_string(cp); }

class IconvEncoding : public TextEncoding {
 public:
    IconvEncoding(std::string name, iconv_t cd, iconv_t back)
        : TextEncoding(std::move(name)), cd_(cd), back_(back) {}
    ~IconvEncoding() override {
        iconv_close(cd_);
        iconv_close(back_);
    }

    bool FromUtf8(std::string_view utf8, std::string* out) const override {
        out->clear();
        iconv(back_, nullptr, nullptr, nullptr, nullptr);
        std::vector<char> in(utf8.begin(), utf8.end());
        char* inPtr = in.data();
        std::size_t inLeft = in.size();
        char block[256];
        while (inLeft > 0) {
            char* outPtr = block;
            std::size_t outLeft = sizeof block;
            const std::size_t rc = iconv(back_, &inPtr, &inLeft, &outPtr, &outLeft);
            out->append(block, static_cast<std::size_t>(outPtr - block));
            if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) return false;
        }
        return true;
    }

    std::string ToUtf8(std::string_view text) const override {
        std::string out;
        out.reserve(text.size());
        for (std::size_t i = 0; i < text.size();) {
            const unsigned char b = static_cast<unsigned char>(text[i]);
            if (b < 0x80) {  // every code page here keeps ASCII as it is
                out += static_cast<char>(b);
                ++i;
                continue;
            }
            std::string ch;
            const std::size_t n = Convert(text, i, &ch);
            if (n == 0) {
                out += EscapedByte(b);
                ++i;
            } else {
                out += ch;
                i += n;
            }
        }
        return out;
    }

    std::size_t CharLength(std::string_view text, std::size_t at) const override {
        if (static_cast<unsigned char>(text[at]) < 0x80) return 1;
        std::string ch;
        const std::size_t n = Convert(text, at, &ch);
        return n == 0 ? 1 : n;
    }

 private:
    // Converts the one character at text[at] into *utf8. Returns its length
    // in bytes, or 0 when no character of the code page starts there.
    std::size_t Convert(std::string_view text, std::size_t at, std::string* utf8) const {
        const std::size_t longest = std::min<std::size_t>(4, text.size() - at);
        for (std::size_t n = 1; n <= longest; ++n) {
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
            char in[4];
            std::memcpy(in, text.data() + at, n);
            char* inPtr = in;
            std::size_t inLeft = n;
            char out[16];
            char* outPtr = out;
            std::size_t outLeft = sizeof out;
            const std::size_t rc = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            if (rc != static_cast<std::size_t>(-1) && inLeft == 0) {
                utf8->assign(out, static_cast<std::size_t>(outPtr - out));
                return n;
            }
            if (errno != EINVAL) return 0;  // not a character; EINVAL: it goes on
        }
        return 0;
    }

    iconv_t cd_;    // the code page to UTF-8
    iconv_t back_;  // UTF-8 to the code page
};

}  // namespace

std::unique_ptr<TextEncoding> TextEncoding::Open(const std::string& name, std::string* error) {
    const unsigned cp = HostCodePage(name, error);
    if (cp == 0) return nullptr;
    const std::string iconvName = IconvName(cp);
    const iconv_t none = reinterpret_cast<iconv_t>(-1);
    const iconv_t cd = iconv_open("UTF-8", iconvName.c_str());
    const iconv_t back = cd != none ? iconv_open(iconvName.c_str(), "UTF-8") : none;
    if (back == none) {
        *error = "\"" + name + "\" (code page " + std::to_string(cp) + "): iconv cannot convert it here (" +
                 std::strerror(errno) + ")";
        if (cd != none) iconv_close(cd);
        return nullptr;
    }
    return std::make_unique<IconvEncoding>(name, cd, back);
}

std::string TextEncoding::DefaultName() {
    std::string codeset;
    if (const locale_t loc = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(0))) {
        codeset = nl_langinfo_l(CODESET, loc);
        freelocale(loc);
    }
    std::string why;
    return HostCodePage(codeset, &why) != 0 ? codeset : "windows-1252";
}
