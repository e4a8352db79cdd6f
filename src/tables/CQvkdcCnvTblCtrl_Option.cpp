// CQvkdcCnvTblCtrl: the user option columns of rc_pln2usr.ini.
#include <memory>
#include <string_view>
#include <unordered_set>

#include "host/TraceScope.h"
#include "model/TextTrim.h"
#include "platform/FileSystem.h"
#include "tables/CQvkdcCnvTblCtrl.h"

namespace {

const TraceRecord kGetOptionColRec = {577686,
                                      "CQvkdcCnvTblCtrl::GetOptionCol"};

constexpr const char* kOptionFilePath =
    "\\MIRVANE\\user\\cam\\nccust\\rc_pln2usr.ini";

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// What counts of an option file line: the text before its first NUL byte
// (as a C string reads it: the title is looked up and written as that),
// then before its first "#", without white space at either end.
std::string_view OptionTitle(std::string_view line) {
    line = line.substr(0, line.find('\0'));
    return TrimSpace(line.substr(0, line.find('#')));
}

// True when text starts with a UTF-16 byte-order mark (either byte order).
bool IsUtf16(std::string_view text) {
    const std::string_view mark = text.substr(0, 2);
    return mark == "\xFF\xFE" || mark == "\xFE\xFF";
}

}  // namespace

int CQvkdcCnvTblCtrl::GetOptionCol(std::vector<std::string>& oOptCols) {
    std::unique_ptr<LineReader> reader;  // closed after the trace frame
    TraceScope scope(kGetOptionColRec);
    int result = 0;
    if (FileSystem::Current()->OpenForRead(kOptionFilePath, &reader) != 0 ||
        reader == nullptr) {
        TraceScope::Chr("[INF] : rc_pln2usr.ini Open failed");
        result = 1;
    } else {
        // Titles that are not new: those already in the array and the
        // titles of the column table.
        std::unordered_set<std::string> taken(oOptCols.begin(),
                                              oOptCols.end());
        if (ColTbl != nullptr) {
            const int cnt = ColTbl->GetColCnt();
            for (int i = 0; i < cnt; ++i) {
                taken.insert(ColTbl->GetColRow(i)->ExNameRef());
            }
        }
        std::string line;
        int read = 0;
        for (bool first = true; (read = reader->ReadLine(&line)) == 1;
             first = false) {
            std::string_view text = line;
            if (first && IsUtf16(text)) {
                TraceScope::Chr(
                    "[INF] : rc_pln2usr.ini is UTF-16 text; save it as 8-bit "
                    "text");
                break;
            }
            if (first && text.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
                text.remove_prefix(kUtf8Bom.size());
            }
            const std::string_view title = OptionTitle(text);
            if (title.empty()) continue;
            if (taken.emplace(title).second) oOptCols.emplace_back(title);
        }
        if (read < 0) TraceScope::Chr("[INF] : rc_pln2usr.ini Read failed");
    }
    if (scope.ActiveAtEntry()) TraceScope::Val("stat", result);
    return result;
}
