// CQvkdcCnvTblCtrl: the user option columns of rc_pln2usr.ini.
#include <memory>
#include <unordered_map>

#include "host/TraceScope.h"
#include "examine/TraceIds.h"
#include "examine/FileSystem.h"
#include "tables/CQvkdcCnvTblCtrl.h"
#include "examine/CnvTblFiles.h"
#include "tables/OptionLines.h"

namespace {

const TraceRecord kGetOptionColRec = {kCnvTblTraceId,
                                      "CQvkdcCnvTblCtrl::GetOptionCol"};

}  // namespace

int CQvkdcCnvTblCtrl::GetOptionCol(std::vector<std::string>& oOptCols) {
    return ReadOptionCol(oOptCols, nullptr);
}

int CQvkdcCnvTblCtrl::ReadOptionCol(std::vector<std::string>& oOptCols,
                                    std::vector<int>* oLines) {
    std::unique_ptr<LineReader> reader;  // closed after the trace frame
    TraceScope scope(kGetOptionColRec);
    int result = 0;
    Status opened = FileSystem::Current()->OpenForRead(kOptionFilePath, &reader);
    if (opened.ok() && reader == nullptr) opened = Status::Error("the file system gave no reader");
    observer_->OptionFileOpened(opened);
    if (!opened.ok()) {
        TraceScope::Chr("[INF] : rc_pln2usr.ini Open failed");
        result = 1;
    } else {
        // Titles that are not new, each with where it was taken: those of
        // the column table (their column), those of earlier lines (minus
        // their line) and those already in the array (kInArray).
        constexpr int kInArray = -1 - (1 << 30);
        std::unordered_map<std::string, int> taken;
        for (const std::string& title : oOptCols) taken.emplace(title, kInArray);
        if (ColTbl != nullptr) {
            const int cnt = ColTbl->GetColCnt();
            for (int i = 0; i < cnt; ++i) {
                taken.emplace(ColTbl->GetColRow(i)->ExNameRef(), i);
            }
        }
        std::vector<OptionLine> lines;
        const int read = ReadOptionLines(*reader, &lines);
        if (read == kOptionFileUtf16) {
            TraceScope::Chr("[INF] : rc_pln2usr.ini is UTF-16 text; save it as 8-bit text");
        }
        for (const OptionLine& line : lines) {
            const auto [it, isNew] = taken.emplace(line.title, -line.line);
            if (isNew) {
                oOptCols.push_back(line.title);
                if (oLines != nullptr) oLines->push_back(line.line);
            } else {
                const int at = it->second;
                observer_->TitleFate(line.line, line.title,
                                     at < 0 ? OptionFate::kRepeated : OptionFate::kStandard,
                                     at == kInArray ? 0 : at < 0 ? -at : at);
            }
        }
        if (read < 0) TraceScope::Chr("[INF] : rc_pln2usr.ini Read failed");
    }
    if (scope.ActiveAtEntry()) TraceScope::Val("stat", result);
    return result;
}
