// JsonWriter: JSON written as it is made, laid out for reading: two spaces
// of indentation a level, each member and each array element on a line of
// its own, "name": value, and [] and {} for empty ones. Texts are taken as
// UTF-8 and written as they are, with \", \\, \b, \f, \n, \r and \t, the
// other control characters as \u00hh, and U+FFFD for each run of bytes
// that starts a character and breaks off (or never starts one), so that
// the output is always valid JSON. The members of an object are written
// in the order given.
#ifndef QVKDC_TOOLS_REPORT_JSONWRITER_H
#define QVKDC_TOOLS_REPORT_JSONWRITER_H

#include <string_view>
#include <vector>

#include "report/ReportWriter.h"

class JsonWriter {
 public:
    // REQUIRES: out outlives the writer.
    explicit JsonWriter(ReportWriter* out) : out_(*out) {}

    // A value: at the top, after Key, or as the next element of an array.
    void BeginObject() { Begin('{'); }
    void EndObject() { End('}'); }
    void BeginArray() { Begin('['); }
    void EndArray() { End(']'); }
    void String(std::string_view text);
    void Int(long long value);
    void Bool(bool value);
    void Null();

    // The name of the next member of the object begun last; its value
    // follows. REQUIRES: inside an object; name is printable ASCII without
    // a double quote or a backslash (it is written as it is).
    void Key(std::string_view name);

    // A member, name and value at once.
    void Member(std::string_view name, std::string_view text) {
        Key(name);
        String(text);
    }
    void Member(std::string_view name, const char* text) {
        Key(name);
        String(text);
    }
    void Member(std::string_view name, long long value) {
        Key(name);
        Int(value);
    }
    void Member(std::string_view name, int value) {
        Key(name);
        Int(value);
    }
    void Member(std::string_view name, bool value) {
        Key(name);
        Bool(value);
    }

 private:
    void Begin(char open);
    void End(char close);
    // The levels and the names whose separator, indentation and name are
    // written as one piece.
    static constexpr std::size_t kLevels = 16;
    static constexpr std::size_t kLongestName = 32;
    static constexpr std::size_t kPrefixRoom = 2 + 2 * kLevels;

    // The separator, line break and indentation in front of a value or a
    // member's name; nothing for the value of a member.
    void NextItem();
    // The same, at any depth, a piece at a time.
    void NextItemDeep();
    // NextItem's bytes into prefix, which has kPrefixRoom bytes; returns
    // their number. REQUIRES: at most kLevels levels deep.
    std::size_t ItemPrefix(char* prefix);
    void Quoted(std::string_view text);

    ReportWriter& out_;
    std::vector<unsigned char> hasItems_;  // one a level: an item was written
    bool afterKey_ = false;
};

#endif  // QVKDC_TOOLS_REPORT_JSONWRITER_H
