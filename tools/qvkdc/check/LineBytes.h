// LineBytes: what the bytes of each line of a text file show that its
// reader passes over in silence, line by line, as the file is read in
// blocks: cells separated by spaces where tabs belong, a byte-order mark
// in the middle of the file, an invisible blank at an end of a cell, a CR
// alone inside a file of LF line ends, text in another encoding than the
// code page. Lines are counted as the table reader counts them: LF, CR LF
// and a lone CR end one each.
//
// Only the first kKept faults of each kind are kept, with the count of
// all lines that show it, so that a file of any size costs the memory of
// its longest line.
#ifndef QVKDC_TOOLS_CHECK_LINEBYTES_H
#define QVKDC_TOOLS_CHECK_LINEBYTES_H

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class TextEncoding;

struct ByteFault {
    enum Kind : unsigned char {
        kSpacedCells,   // cells separated by spaces, not tabs
        kInnerMark,     // a UTF-8 byte-order mark not at the start of the file
        kInvisible,     // a no-break space or zero-width character at an end of a cell
        kLoneCr,        // a CR without LF in a file whose lines end in LF
        kUtf8Text,      // UTF-8 text in a one-byte code page
        kUndecodable,   // a byte that is no character of the code page
        kKindCount
    };
    Kind kind = kSpacedCells;
    int line = 0;        // from 1
    int column = 0;      // the byte of the line it is at, from 1
    std::string text;    // the line (kSpacedCells), the cell, or the character's bytes
    std::string item;    // kSpacedCells: the name the line seems to give a row to; kInvisible: which character
    int cells = 0;       // kSpacedCells: the cells the reader reads, and the cells it seems to hold
    int meant = 0;
};

// How the lines of one file are read.
struct LineRules {
    // The file is a table: its cells are separated by tabs, and a row
    // needs this many cells (0: not a table, such as the option file).
    int cellsNeeded = 0;
    // Which cell of a row names what it is about: 0 the first, 1 the
    // second, -1 the last.
    int nameCell = 0;
    // The code page its text is in; null: no test of the encoding.
    const TextEncoding* encoding = nullptr;
};

class LineBytes {
 public:
    static constexpr int kKept = 20;
    // Bytes of a line looked at; the rest of a longer one is passed over.
    static constexpr std::size_t kLongest = std::size_t{1} << 20;

    // The encoding class of a file's text beyond ASCII.
    enum class Text : unsigned char { kAscii, kUtf8, kEightBit };

    void Start(const LineRules& rules);
    void Feed(const char* bytes, std::size_t n);
    // Ends the last line; the file has been fed whole.
    void Finish();

    // The faults kept, in the order of their lines.
    const std::vector<ByteFault>& Faults() const { return faults_; }
    // The lines that show kind, kept or not.
    int Count(ByteFault::Kind kind) const { return counts_[kind]; }
    // Line holds cells separated by spaces (among those kept).
    bool SpacedAt(int line) const;
    // What its bytes beyond ASCII are: all UTF-8, or 8-bit text (some are
    // no UTF-8); kAscii when there are none.
    Text TextKind() const;
    // The code page is UTF-8.
    bool Utf8Page() const { return utf8Page_; }

 private:
    // Looks at the line that just ended (its bytes without the line end).
    void EndLine(std::string_view line);
    // Counts a CR that ends the current line alone, keeping the first kKept.
    void LoneCr();
    void Keep(ByteFault fault);
    void CheckSpaced(std::string_view line);
    void CheckMark(std::string_view line, std::size_t from);
    void CheckEncoding(std::string_view line);
    void CheckCellEnds(std::string_view line);

    LineRules rules_;
    bool utf8Page_ = false;
    bool oneBytePage_ = false;
    std::array<bool, 256> decodes_{};  // one-byte code page: the byte is a character of it
    std::array<bool, 256> noBreak_{};  // one-byte code page: the byte is a no-break space
    std::array<bool, 256> invisibleLead_{};  // the byte starts an invisible character
    std::string line_;                 // the line being read, without its end (its first kLongest bytes)
    bool pendingCr_ = false;
    bool sawLf_ = false;
    int lineNo_ = 0;
    int prevTabs_ = -1;  // tabs of the last line that was not blank or spaced
    bool sawUtf8_ = false;
    bool sawEightBit_ = false;
    std::vector<int> loneCrLines_;  // up to kKept, kept until the file shows LF line ends
    int loneCrs_ = 0;
    std::vector<ByteFault> faults_;
    std::array<int, ByteFault::kKindCount> counts_{};
};

#endif  // QVKDC_TOOLS_CHECK_LINEBYTES_H
