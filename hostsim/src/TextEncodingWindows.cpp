// TextEncoding on Windows: the system's code pages, through
// MultiByteToWideChar and WideCharToMultiByte.
#include <windows.h>


#include "TextEncoding.h"

namespace {

class CodePageEncoding : public TextEncoding {
 public:
    CodePageEncoding(std::string name, UINT cp) : TextEncoding(std::move(name)), cp_(cp) {}

    std::string ToUtf8(std::string_view text) const override {
        std::string out;
        out.reserve(text.size());
        for (std::size_t i = 0; i < text.size();) {
            const unsigned char b = static_cast<unsigned char>(text[i]);
            if (b < 0x80) {
                out += static_cast<char>(b);
                ++i;
                continue;
            }
            const std::size_t n = CharLength(text, i);
            wchar_t wide[4];
            const int w = MultiByteToWideChar(cp_, MB_ERR_INVALID_CHARS, text.data() + i, static_cast<int>(n),
                                              wide, 4);
            char utf8[16];
            const int u = w > 0 ? WideCharToMultiByte(CP_UTF8, 0, wide, w, utf8, sizeof utf8, nullptr, nullptr) : 0;
            if (u <= 0) {
                out += EscapedByte(b);
                ++i;
                continue;
            }
            out.append(utf8, static_cast<std::size_t>(u));
            i += n;
        }
        return out;
    }

    bool FromUtf8(std::string_view utf8, std::string* out) const override {
        out->clear();
        if (utf8.empty()) return true;
        const int n = static_cast<int>(utf8.size());
        const int wides = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), n, nullptr, 0);
        if (wides <= 0) return false;
        std::wstring wide(static_cast<std::size_t>(wides), L'\0');
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), n, wide.data(), wides);
        // A character the code page has not must not become "?" unseen.
        BOOL lost = FALSE;
        const DWORD flags = cp_ == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
        BOOL* lostArg = cp_ == CP_UTF8 ? nullptr : &lost;
        const int bytes = WideCharToMultiByte(cp_, flags, wide.data(), wides, nullptr, 0, nullptr, lostArg);
        if (bytes <= 0 || lost) return false;
        out->resize(static_cast<std::size_t>(bytes));
        WideCharToMultiByte(cp_, flags, wide.data(), wides, out->data(), bytes, nullptr, lostArg);
        return !lost;
    }

    std::size_t CharLength(std::string_view text, std::size_t at) const override {
        const BYTE b = static_cast<BYTE>(text[at]);
        if (b < 0x80) return 1;
        if (IsDBCSLeadByteEx(cp_, b)) return at + 1 < text.size() ? 2 : 1;
        // Other code pages of several bytes a character (UTF-8): the
        // shortest run of bytes that makes a character.
        const std::size_t longest = text.size() - at < 4 ? text.size() - at : 4;
        for (std::size_t n = 1; n <= longest; ++n) {
            wchar_t wide[4];
            if (MultiByteToWideChar(cp_, MB_ERR_INVALID_CHARS, text.data() + at, static_cast<int>(n), wide, 4) > 0) {
                return n;
            }
        }
        return 1;
    }

 private:
    UINT cp_;
};

}  // namespace

std::unique_ptr<TextEncoding> TextEncoding::Open(const std::string& name, std::string* error) {
    const UINT cp = HostCodePage(name, error);
    if (cp == 0) return nullptr;
    if (!IsValidCodePage(cp)) {
        *error = "\"" + name + "\" (code page " + std::to_string(cp) + "): the code page is not installed";
        return nullptr;
    }
    return std::make_unique<CodePageEncoding>(name, cp);
}

std::string TextEncoding::DefaultName() { return "windows-" + std::to_string(GetACP()); }
