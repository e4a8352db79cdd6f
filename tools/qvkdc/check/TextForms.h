// TextForms: what the checks need to know of a cell's text: what it does to
// a CSV line when the export writes it unquoted (titles, selection texts,
// plan names), whether it is a number, and how to show it in a message.
#ifndef QVKDC_TOOLS_CHECK_TEXTFORMS_H
#define QVKDC_TOOLS_CHECK_TEXTFORMS_H

#include <string>
#include <string_view>
#include <vector>

// Why text breaks the line it is written into unquoted: "holds a comma" and
// the like, naming the first of comma, double quote, carriage return and
// line feed it holds; the empty text when it holds none.
std::string UnquotedFlaw(std::string_view text);

// Why text puts a control character into the CSV file: "holds a tab" or
// "holds the control character 0x01", for the first byte below 0x20 that is
// no line break (UnquotedFlaw tells those); the empty text when it holds none.
std::string ControlFlaw(std::string_view text);

// What convention a number cell that is no decimal int seems written in:
// "with thousands separators", "with a decimal comma", "with its sign
// after it", "beyond the range of an int", "with a fraction"; "" when it
// looks like none (a word, say).
std::string NumberConvention(std::string_view text);
// ": it is written NumberConvention(text)", or "" when it follows none.
std::string Convention(std::string_view text);

// What format an option file's line seems written in: "a section of an INI
// file" for "[Columns]", "a setting (key=value)" for "Depth=1"; "" for a
// line that may be a title.
std::string OptionLineFormat(std::string_view line);

// text in double quotes for a message, with control characters written as
// \r, \n, \t or \xHH so that a finding stays on one line. A text longer
// than kQuotedLongest bytes is shown by its first kQuotedShown, then "..."
// and its length: "abc..." (5242880 bytes).
inline constexpr std::size_t kQuotedLongest = 96;
inline constexpr std::size_t kQuotedShown = 64;
std::string Quoted(std::string_view text);

// True when text is a decimal int as a number cell should hold it:
// optional white space, an optional sign, digits, optional white space, and
// within the int range. ("12abc" and "abc" are not: the export reads them as
// 12 and 0.)
bool IsDecimalInt(std::string_view text);

// " (did you mean "NAME"?)" for the known name nearest to word (Suggest.h,
// the tables' rule), with a word on blanks when the two differ only in the
// blanks around them; "" when none is near. For a few known names, such as
// keywords (NameHints searches long lists).
std::string DidYouMean(std::string_view word, const std::vector<std::string_view>& known);
// The same for near, the name found for word; "" when near is empty.
std::string DidYouMean(std::string_view word, std::string_view near);

#endif  // QVKDC_TOOLS_CHECK_TEXTFORMS_H
