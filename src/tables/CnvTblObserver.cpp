#include "tables/CnvTblObserver.h"

const std::string& CnvTblRow::Cell(int col) const {
    static const std::string kNone;
    return col >= 1 && col <= CellCount() ? cells[static_cast<std::size_t>(col - 1)] : kNone;
}

int CnvTblObserver::RowLine(const CQvlbwTableA&, bool) { return 0; }
void CnvTblObserver::TableRead(CnvTblIndex, int) {}
void CnvTblObserver::ToolSetForm(const CnvTblRow&) {}
void CnvTblObserver::Column(const CnvColTrail&) {}
void CnvTblObserver::OptionTitle(const CnvOptionTrail&) {}
void CnvTblObserver::Choice(const CnvChoiceTrail&) {}
void CnvTblObserver::Stopped(const CnvTblStop&) {}
