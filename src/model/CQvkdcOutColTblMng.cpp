#include "model/CQvkdcOutColTblMng.h"

#include <stdexcept>

#include "model/IntText.h"

CQvkdcOutColTblMng::CQvkdcOutColTblMng() { ClearTbl(); }

CQvkdcOutColTblMng::~CQvkdcOutColTblMng() { ClearTbl(); }

void CQvkdcOutColTblMng::AddColRow(int colFlg, const std::string& exName,
                                   const std::string& itName,
                                   const std::string& isBlank,
                                   const std::string& isRepeat, int priority,
                                   int prmKey, const std::string& valType,
                                   const std::string& subType) {
    auto row = std::make_unique<CQvkdcOutColRowMng>();
    row->SetColFlg(colFlg);
    row->SetExName(exName);
    row->SetItName(itName);
    row->SetIsBlankStr(isBlank);
    row->SetIsRepeatStr(isRepeat);
    row->SetPriority(priority);
    row->SetPrmKey(prmKey);
    row->SetValTypeStr(valType);
    row->SetSubTypeStr(subType);
    Rows.push_back(std::move(row));
}

int CQvkdcOutColTblMng::GetColCnt() const {
    return static_cast<int>(Rows.size());
}

CQvkdcOutColRowMng* CQvkdcOutColTblMng::GetColRow(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= Rows.size()) {
        throw std::out_of_range("CQvkdcOutColTblMng::GetColRow: index");
    }
    return Rows[static_cast<std::size_t>(index)].get();
}

const CQvkdcOutColRowMng* CQvkdcOutColTblMng::GetColRow(int index) const {
    return const_cast<CQvkdcOutColTblMng*>(this)->GetColRow(index);
}

int CQvkdcOutColTblMng::IsExistItName(const std::string& name) const {
    for (const auto& row : Rows) {
        if (row->ItNameRef() == name) return 1;
    }
    return 0;
}

void CQvkdcOutColTblMng::GetTitleLine(std::string& line) const {
    if (Rows.empty()) return;
    line = Rows.front()->ExNameRef();
    for (std::size_t i = 1; i < Rows.size(); ++i) {
        line += ',';
        line += Rows[i]->ExNameRef();
    }
}

void CQvkdcOutColTblMng::DumpTbl(std::string& dump) const {
    dump.assign(
        "ColFlg\tItName\tExName\tPrmKey\tPriority\tValType\tSubType\tIsBlank\t"
        "IsRepeat\n");
    for (const auto& row : Rows) {
        AppendInt(dump, row->GetColFlg());
        dump += '\t';
        dump += row->ItNameRef();
        dump += '\t';
        dump += row->ExNameRef();
        dump += '\t';
        AppendInt(dump, row->GetPrmKey());
        dump += '\t';
        AppendInt(dump, row->GetPriority());
        dump += '\t';
        AppendInt(dump, row->GetValType());
        dump += '\t';
        AppendInt(dump, row->GetSubType());
        dump += '\t';
        AppendInt(dump, row->GetIsBlank());
        dump += '\t';
        AppendInt(dump, row->GetIsRepeat());
        dump += '\n';
    }
}

void CQvkdcOutColTblMng::ClearTbl() { Rows.clear(); }
