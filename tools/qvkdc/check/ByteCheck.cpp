#include "check/ByteCheck.h"

#include <algorithm>
#include <cstdio>

#include "check/TextForms.h"
#include "TextEncoding.h"

namespace {

// "0xE9" for the byte c.
std::string Hex(char c) {
    char text[sizeof "0xFF"];
    std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
    return text;
}

// "; N more lines of the file are alike" when more than the kept ones show it.
std::string More(int count, int told) {
    const int more = count - told;
    if (more <= 0) return std::string();
    return "; " + std::to_string(more) + (more == 1 ? " more line of the file is" : " more lines of the file are") +
           " alike";
}

// " at byte N" for a place in the line.
std::string AtByte(int column) { return " at byte " + std::to_string(column); }

}  // namespace

void ByteCheck::Run() {
    for (int i = 0; i < kCnvTblFileCount; ++i) CheckFile(ctx_.in.Table(static_cast<CnvTblIndex>(i)), i);
    CheckFile(ctx_.in.OptionFile(), -1);
}

void ByteCheck::CheckFile(const InputFile& f, int table) {
    // UTF-16 and CR-only files are told whole by FileCheck: their lines are garbage.
    if (!f.Readable() || f.Utf16() || f.CrOnlyLines()) return;
    const LineBytes& lines = f.Lines();
    bool encodingTold = false;
    int told[ByteFault::kKindCount] = {};
    for (const ByteFault& fault : lines.Faults()) {
        // The last one kept says how many more lines are alike.
        const int count = lines.Count(fault.kind);
        const bool last = ++told[fault.kind] == std::min(count, LineBytes::kKept);
        const std::string more = last ? More(count, told[fault.kind]) : std::string();
        switch (fault.kind) {
            case ByteFault::kSpacedCells:
                TellSpaced(f, table, fault, more);
                break;
            case ByteFault::kInnerMark:
                ctx_.out.Add(Severity::kWarning, f.Display(), fault.line,
                             "a byte-order mark (EF BB BF)" + AtByte(fault.column) +
                                 ", where two files were joined: the reader keeps it in the cell " +
                                 Quoted(fault.text) + ", which then matches no name; delete it" + more,
                             FindingCode::kStrayByte);
                break;
            case ByteFault::kInvisible:
                ctx_.out.Add(Severity::kWarning, f.Display(), fault.line,
                             "the cell " + Quoted(fault.text) + " has " + fault.item +
                                 ", invisible but part of the cell, so it matches no name; delete it" + more,
                             FindingCode::kStrayByte);
                break;
            case ByteFault::kLoneCr:
                ctx_.out.Add(Severity::kWarning, f.Display(), fault.line,
                             "the line ends in a CR without LF, while the other lines of the file end in LF: the "
                             "reader ends the row at it, where an editor may show one line; end every line alike" +
                                 more,
                             FindingCode::kStrayByte);
                break;
            case ByteFault::kUtf8Text:
            case ByteFault::kUndecodable:
                // One finding a file: the first line, with the count of the others.
                if (!encodingTold) TellEncoding(f, fault);
                encodingTold = true;
                break;
            case ByteFault::kKindCount:
                break;
        }
    }
}

void ByteCheck::TellSpaced(const InputFile& f, int table, const ByteFault& fault, const std::string& more) {
    bool stops = false;
    const TableBuild& build = ctx_.build;
    const auto stopsAt = [&](const CnvTblStop* stop) {
        return stop != nullptr && stop->kind == CnvTblStop::kShortRow && stop->table == table &&
               stop->row.line == fault.line;
    };
    stops = stopsAt(build.Stop());
    for (const CnvTblStop& later : build.LaterStops()) stops = stops || stopsAt(&later);
    std::string message = "the cells of the row are separated by spaces, not tabs: the reader reads " +
                          std::to_string(fault.cells) + (fault.cells == 1 ? " cell, " : " cells, ") +
                          Quoted(fault.text) + ", where the row holds " + std::to_string(fault.meant) + " cells" +
                          "; put a tab between the cells";
    if (!fault.item.empty()) message += ", so that " + Quoted(fault.item) + " is a cell of its own";
    if (stops) message += "; the export stops at the row, which is short";
    message += more;
    ctx_.out.Add(stops ? Severity::kError : Severity::kWarning, f.Display(), fault.line, std::move(message),
                 FindingCode::kSpacedCells);
    // What the row was meant to give its item is missing: told here, not
    // again at the item's column.
    const int column = fault.item.empty() ? -1 : ctx_.build.FindItem(fault.item);
    if (column >= 0) {
        for (const FindingCode code :
             {FindingCode::kNoTitle, FindingCode::kNoKey, FindingCode::kNoValueType, FindingCode::kUnknownItem}) {
            ctx_.out.MuteColumn(column, code);
        }
    }
    ctx_.out.MuteLine(f.Display(), fault.line);
}

void ByteCheck::TellEncoding(const InputFile& f, const ByteFault& fault) {
    const TextEncoding& page = ctx_.encoding;
    const LineBytes& lines = f.Lines();
    const int count = lines.Count(ByteFault::kUtf8Text) + lines.Count(ByteFault::kUndecodable);
    std::string message;
    if (fault.kind == ByteFault::kUtf8Text) {
        message = "the line holds UTF-8 text" + AtByte(fault.column) + " (" + Quoted(fault.text) + "), which the code page " +
                  page.Name() + " reads as " + Quoted(page.ToUtf8(fault.text)) +
                  ": the file looks saved as UTF-8" + OtherFile(f) + "; save it in " + page.Name() +
                  ", or give --encoding utf-8 when every file is UTF-8";
    } else if (lines.Utf8Page()) {
        message = "byte " + Hex(fault.text[0]) + AtByte(fault.column) +
                  " is no UTF-8: the file looks saved in an 8-bit code page such as windows-1252" + OtherFile(f) +
                  "; save it as UTF-8, or give --encoding its code page";
    } else {
        message = "byte " + Hex(fault.text[0]) + AtByte(fault.column) + " is no character of the code page " +
                  page.Name() + ": the file looks saved in another code page" + OtherFile(f) +
                  "; save it in " + page.Name() + ", or give --encoding its code page";
    }
    ctx_.out.Add(Severity::kWarning, f.Display(), fault.line, message + More(count, 1), FindingCode::kEncoding);
}

std::string ByteCheck::OtherFile(const InputFile& f) const {
    const LineBytes::Text mine = f.Lines().TextKind();
    const auto differs = [&](const InputFile& other) {
        const LineBytes::Text theirs = other.Lines().TextKind();
        return &other != &f && other.Readable() && theirs != LineBytes::Text::kAscii && theirs != mine;
    };
    const InputFile* other = nullptr;
    for (int i = 0; i < kCnvTblFileCount && other == nullptr; ++i) {
        if (differs(ctx_.in.Table(static_cast<CnvTblIndex>(i)))) other = &ctx_.in.Table(static_cast<CnvTblIndex>(i));
    }
    if (other == nullptr && differs(ctx_.in.OptionFile())) other = &ctx_.in.OptionFile();
    if (other == nullptr) return std::string();
    const bool utf8 = other->Lines().TextKind() == LineBytes::Text::kUtf8;
    return ", while " + other->Display() + " is in " + (utf8 ? "UTF-8" : "8-bit text");
}
