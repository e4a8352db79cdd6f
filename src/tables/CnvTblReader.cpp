#include "tables/CnvTblReader.h"

#include "host/Qvlbw.h"

CnvTblReader::~CnvTblReader() = default;

int CnvTblReader::ReadTable(CnvTblIndex table, const char* path) {
    return readers_[table]->ReadTable(path);
}

int CnvTblReader::FindRow(CnvTblIndex table, int keyCol, const std::string& key,
                          CQvlbwStringArray* row) {
    return readers_[table]->FindRow(keyCol, key.c_str(), row);
}

void CnvTblReader::MoveFirst(CnvTblIndex table) { readers_[table]->MoveFirst(); }

int CnvTblReader::GetNextRow(CnvTblIndex table, CQvlbwStringArray* row) {
    return readers_[table]->GetNextRow(row);
}

void CnvTblReader::BeginStep(const char*) {}
void CnvTblReader::TookToolSetForm() {}
void CnvTblReader::DefinesByTitle(int, std::string_view) {}
void CnvTblReader::TitleFate(const CnvOptionTrail&) {}
void CnvTblReader::AddedColumn(int) {}
void CnvTblReader::TookChoice(std::string_view, std::string_view, const std::string*, int) {}
void CnvTblReader::Stopped(CnvTblStop*, bool) {}
