// CQvkdcCnvTblCtrl: the user option columns of rc_pln2usr.ini.
#include <memory>
#include <unordered_set>

#include "host/TraceScope.h"
#include "platform/FileSystem.h"
#include "tables/CQvkdcCnvTblCtrl.h"
#include "tables/CnvTblFiles.h"
#include "tables/OptionLines.h"

namespace {

const TraceRecord kGetOptionColRec = {577686,
                                      "CQvkdcCnvTblCtrl::GetOptionCol"};

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
        std::vector<OptionLine> lines;
        const int read = ReadOptionLines(*reader, &lines);
        if (read == kOptionFileUtf16) {
            TraceScope::Chr("[INF] : rc_pln2usr.ini is UTF-16 text; save it as 8-bit text");
        }
        for (const OptionLine& line : lines) {
            if (taken.insert(line.title).second) oOptCols.push_back(line.title);
        }
        if (read < 0) TraceScope::Chr("[INF] : rc_pln2usr.ini Read failed");
    }
    if (scope.ActiveAtEntry()) TraceScope::Val("stat", result);
    return result;
}
