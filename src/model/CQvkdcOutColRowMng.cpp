#include "model/CQvkdcOutColRowMng.h"

namespace {

int CodeOf(const ValueType* type) { return type != nullptr ? type->code : 0; }

template <std::size_t N>
std::vector<std::string_view> Keywords(const ValueType (&types)[N]) {
    std::vector<std::string_view> keywords;
    keywords.reserve(N);
    for (const ValueType& type : types) keywords.push_back(type.keyword);
    return keywords;
}

}  // namespace

int CQvkdcOutColRowMng::ValTypeCode(std::string_view keyword) {
    return CodeOf(FindValueType(keyword));
}

int CQvkdcOutColRowMng::SubTypeCode(std::string_view keyword) {
    return CodeOf(FindSubType(keyword));
}

std::vector<std::string_view> CQvkdcOutColRowMng::ValTypeKeywords() {
    return Keywords(kValueTypes);
}

std::vector<std::string_view> CQvkdcOutColRowMng::SubTypeKeywords() {
    return Keywords(kSubTypes);
}

std::string_view CQvkdcOutColRowMng::ValTypeKeyword(int code) {
    const ValueType* const type = code >= kValTypeReal ? ValueTypeOfCode(code) : nullptr;
    return type != nullptr ? type->keyword : std::string_view();
}

std::string_view CQvkdcOutColRowMng::SubTypeKeyword(int code) {
    for (const ValueType& type : kSubTypes) {
        if (type.code == code) return type.keyword;
    }
    return {};
}

int CQvkdcOutColRowMng::MarkCode(std::string_view mark) {
    return mark == "o" ? 1 : 0;
}

void CQvkdcOutColRowMng::SetValTypeStr(std::string_view keyword) {
    SetValType(ValTypeCode(keyword));
}

void CQvkdcOutColRowMng::SetSubTypeStr(std::string_view keyword) {
    SetSubType(SubTypeCode(keyword));
}

void CQvkdcOutColRowMng::SetIsBlankStr(std::string_view mark) {
    SetIsBlank(MarkCode(mark));
}

void CQvkdcOutColRowMng::SetIsRepeatStr(std::string_view mark) {
    SetIsRepeat(MarkCode(mark));
}
