#include "model/CQvkdcOutColRowMng.h"

namespace {

struct KeywordCode {
    std::string_view keyword;
    int code;
};

constexpr KeywordCode kValTypes[] = {
    {"Real", CQvkdcOutColRowMng::kValTypeReal},
    {"String", CQvkdcOutColRowMng::kValTypeString},
    {"Select", CQvkdcOutColRowMng::kValTypeSelect},
    {"GroupName", CQvkdcOutColRowMng::kValTypeGroupName},
    {"PlanName", CQvkdcOutColRowMng::kValTypePlanName},
    {"Knowledge", CQvkdcOutColRowMng::kValTypeKnowledge},
    {"FolderName", CQvkdcOutColRowMng::kValTypeFolderName},
    {"ProcessName", CQvkdcOutColRowMng::kValTypeProcessName},
    {"MacroName", CQvkdcOutColRowMng::kValTypeMacroName},
};

constexpr KeywordCode kSubTypes[] = {
    {"Integer", CQvkdcOutColRowMng::kSubTypeInteger},
    {"Real", CQvkdcOutColRowMng::kSubTypeReal},
};

template <std::size_t N>
int Lookup(const KeywordCode (&table)[N], std::string_view keyword) {
    for (const KeywordCode& entry : table) {
        if (entry.keyword == keyword) return entry.code;
    }
    return 0;
}

template <std::size_t N>
std::string_view KeywordOf(const KeywordCode (&table)[N], int code) {
    for (const KeywordCode& entry : table) {
        if (entry.code == code) return entry.keyword;
    }
    return {};
}

template <std::size_t N>
std::vector<std::string_view> Keywords(const KeywordCode (&table)[N]) {
    std::vector<std::string_view> keywords;
    keywords.reserve(N);
    for (const KeywordCode& entry : table) keywords.push_back(entry.keyword);
    return keywords;
}

}  // namespace

int CQvkdcOutColRowMng::ValTypeCode(std::string_view keyword) {
    return Lookup(kValTypes, keyword);
}

int CQvkdcOutColRowMng::SubTypeCode(std::string_view keyword) {
    return Lookup(kSubTypes, keyword);
}

std::vector<std::string_view> CQvkdcOutColRowMng::ValTypeKeywords() {
    return Keywords(kValTypes);
}

std::vector<std::string_view> CQvkdcOutColRowMng::SubTypeKeywords() {
    return Keywords(kSubTypes);
}

std::string_view CQvkdcOutColRowMng::ValTypeKeyword(int code) {
    return KeywordOf(kValTypes, code);
}

std::string_view CQvkdcOutColRowMng::SubTypeKeyword(int code) {
    return KeywordOf(kSubTypes, code);
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
