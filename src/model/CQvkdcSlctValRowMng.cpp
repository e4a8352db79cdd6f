#include "model/CQvkdcSlctValRowMng.h"

int CQvkdcSlctValRowMng::IsColItName(const std::string& name) const {
    return name == ColItName ? 1 : 0;
}

void CQvkdcSlctValRowMng::AddSlctExName(const std::string& exName) {
    SlctExName.push_back(exName);
}

void CQvkdcSlctValRowMng::AddSlctItName(const std::string& itName) {
    SlctItName.push_back(itName);
}

void CQvkdcSlctValRowMng::AddSlctVal(int value) {
    FirstOfVal.emplace(value, static_cast<int>(SlctVal.size()));
    SlctVal.push_back(value);
}

int CQvkdcSlctValRowMng::FindSlctVal(int value) const {
    const auto it = FirstOfVal.find(value);
    return it != FirstOfVal.end() ? it->second : -1;
}
