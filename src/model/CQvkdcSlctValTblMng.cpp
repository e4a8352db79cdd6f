#include "model/CQvkdcSlctValTblMng.h"

#include <stdexcept>

#include "model/IntText.h"

CQvkdcSlctValTblMng::CQvkdcSlctValTblMng() { ClearTbl(); }

CQvkdcSlctValTblMng::~CQvkdcSlctValTblMng() { ClearTbl(); }

void CQvkdcSlctValTblMng::AddSlct(const std::string& colItName,
                                  const std::string& slctItName,
                                  const std::string& slctExName, int value) {
    // The choices of one column come one after another: the row of the
    // choice before is tried before the index.
    CQvkdcSlctValRowMng* row = LastRow;
    if (row == nullptr || row->ColItNameRef() != colItName) {
        CQvkdcSlctValRowMng*& slot = RowOfName[colItName];
        if (slot == nullptr) {
            auto added = std::make_unique<CQvkdcSlctValRowMng>();
            added->SetColItName(colItName);
            Rows.push_back(std::move(added));
            slot = Rows.back().get();
        }
        row = LastRow = slot;
    }
    row->AddSlctExName(slctExName);
    row->AddSlctItName(slctItName);
    row->AddSlctVal(value);
}

std::string CQvkdcSlctValTblMng::GetSlctExName(const std::string& colItName,
                                               int value) const {
    const CQvkdcSlctValRowMng* row = FindRow(colItName);
    std::string_view text;
    if (row == nullptr || !row->FindSlctExName(value, &text)) return std::string();
    return std::string(text);
}

const CQvkdcSlctValRowMng* CQvkdcSlctValTblMng::FindRow(
    const std::string& colItName) const {
    const auto it = RowOfName.find(colItName);
    return it != RowOfName.end() ? it->second : nullptr;
}

int CQvkdcSlctValTblMng::GetRowCnt() const {
    return static_cast<int>(Rows.size());
}

const CQvkdcSlctValRowMng* CQvkdcSlctValTblMng::GetRow(int i) const {
    if (i < 0 || static_cast<std::size_t>(i) >= Rows.size()) {
        throw std::out_of_range("CQvkdcSlctValTblMng::GetRow: index");
    }
    return Rows[static_cast<std::size_t>(i)].get();
}

void CQvkdcSlctValTblMng::DumpTbl(std::string& dump) const {
    dump.assign("ColItName\tSlctItName\tSlctExName\tSlctVal\n");
    for (const auto& row : Rows) {
        const std::vector<std::string>& itNames = row->GetSlctItNameArr();
        const std::vector<std::string>& exNames = row->GetSlctExNameArr();
        const std::vector<int>& vals = row->GetSlctValArr();
        for (std::size_t j = 0; j < vals.size(); ++j) {
            if (j == 0) {
                dump += row->ColItNameRef();
            } else {
                dump += '\t';
            }
            dump += '\t';
            dump += itNames[j];
            dump += '\t';
            dump += exNames[j];
            dump += '\t';
            AppendInt(dump, vals[j]);
            dump += '\n';
        }
    }
}

void CQvkdcSlctValTblMng::ClearTbl() {
    LastRow = nullptr;
    RowOfName.clear();
    Rows.clear();
}
