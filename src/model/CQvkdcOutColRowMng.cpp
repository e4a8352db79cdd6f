#include "model/CQvkdcOutColRowMng.h"

int CQvkdcOutColRowMng::MarkCode(std::string_view mark) { return MarkCodeOf(mark); }

void CQvkdcOutColRowMng::SetValTypeStr(std::string_view keyword) {
    SetValType(ValueTypeCodeOf(keyword));
}

void CQvkdcOutColRowMng::SetSubTypeStr(std::string_view keyword) {
    SetSubType(SubTypeCodeOf(keyword));
}

void CQvkdcOutColRowMng::SetIsBlankStr(std::string_view mark) {
    SetIsBlank(MarkCode(mark));
}

void CQvkdcOutColRowMng::SetIsRepeatStr(std::string_view mark) {
    SetIsRepeat(MarkCode(mark));
}
