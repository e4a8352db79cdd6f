#include "tables/CnvTblObserver.h"

CnvTblObserver::~CnvTblObserver() = default;
void CnvTblObserver::StepBegun(CnvTblStep) {}
void CnvTblObserver::TableRead(CnvTblIndex, int) {}
void CnvTblObserver::RowWalked(CnvTblIndex, const CQvlbwTableA&, const CQvlbwStringArray&) {}
void CnvTblObserver::RowFound(CnvTblIndex, const CQvlbwTableA&, std::string_view, int,
                              const CQvlbwStringArray&) {}
void CnvTblObserver::ToolSetFormTaken() {}
void CnvTblObserver::OptionFileOpened(const Status&) {}
void CnvTblObserver::DefinesByTitle(int, std::string_view) {}
void CnvTblObserver::TitleFate(int, std::string_view, OptionFate, int) {}
void CnvTblObserver::ColumnAdded(int, CnvColFlg) {}
void CnvTblObserver::ChoiceTaken(std::string_view, std::string_view, const std::string*, int) {}
void CnvTblObserver::Stopped(const CnvTblStop&, bool) {}
