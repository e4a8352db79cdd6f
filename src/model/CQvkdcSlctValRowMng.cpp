#include "model/CQvkdcSlctValRowMng.h"

int CQvkdcSlctValRowMng::IsColItName(const std::string& name) const {
    return name == ColItName ? 1 : 0;
}

void CQvkdcSlctValRowMng::AddSlctExName(const std::string& exName) {
    SlctExName.push_back(exName);
    ExNameText += exName;
    ExNameEnd.push_back(static_cast<uint32_t>(ExNameText.size()));
}

void CQvkdcSlctValRowMng::AddSlctItName(const std::string& itName) {
    SlctItName.push_back(itName);
}

void CQvkdcSlctValRowMng::AddSlctVal(int value) {
    FirstOfVal.Add(value, static_cast<int>(SlctVal.size()));
    SlctVal.push_back(value);
}

int CQvkdcSlctValRowMng::FindSlctVal(int value) const { return FirstOfVal.Find(value); }
