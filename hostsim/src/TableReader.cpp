// Placeholder: the table reader of the stand-in host.
#include "host/Qvlbw.h"

struct CQvlbwStringArray::Impl {};
CQvlbwStringArray::CQvlbwStringArray() : impl_(nullptr) {}
CQvlbwStringArray::~CQvlbwStringArray() {}
int CQvlbwStringArray::GetSize() const { return 0; }
const char* CQvlbwStringArray::GetAt(int) const { return ""; }
void CQvlbwStringArray::RemoveAll() {}
void CQvlbwStringArray::Add(const char*, int) {}

CQvlbwTableA::CQvlbwTableA() : impl_(nullptr) {}
CQvlbwTableA::~CQvlbwTableA() {}
int CQvlbwTableA::ReadTable(const char*) { return -1; }
int CQvlbwTableA::GetRowCount() { return 0; }
int CQvlbwTableA::GetColCount() { return 0; }
int CQvlbwTableA::IsRead() { return 0; }
int CQvlbwTableA::FindRow(int, const char*, CQvlbwStringArray*) { return -2; }
void CQvlbwTableA::MoveFirst() {}
int CQvlbwTableA::GetNextRow(CQvlbwStringArray*) { return 0; }
