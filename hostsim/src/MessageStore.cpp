#include "MessageStore.h"

namespace qvsim {
namespace {

const std::map<int, std::string>& Defaults() {
    static const std::map<int, std::string> texts = {
        {1, "Machine"},
        {2, "Controller"},
        {3, "Message"},
        {4, "The plan has a process of a type that cannot be exported; no file "
            "was written for it."},
        {9999, "The CSV export failed; the trace names the cause."},
    };
    return texts;
}

}  // namespace

void MessageStore::Reset() {
    texts_ = Defaults();
    title_.clear();
    hasTitle_ = false;
    lines_.clear();
    kinds_.clear();
    initCount_ = 0;
}

void MessageStore::SetTexts(const std::map<int, std::string>& overrides) {
    texts_ = Defaults();
    for (const auto& [number, text] : overrides) texts_[number] = text;
}

const std::string* MessageStore::Text(int group, int number) const {
    if (group != kGroup) return nullptr;
    const auto it = texts_.find(number);
    return it != texts_.end() ? &it->second : nullptr;
}

void MessageStore::Init() {
    ++initCount_;
    title_.clear();
    hasTitle_ = false;
    lines_.clear();
    kinds_.clear();
}

void MessageStore::SetTitle(const char* title) {
    title_ = title != nullptr ? title : "";
    hasTitle_ = true;
}

void MessageStore::Add(int kind, const char* line) {
    lines_.emplace_back(line != nullptr ? line : "");
    kinds_.push_back(kind);
}

MessageStore& TheMessages() {
    static MessageStore store;
    return store;
}

}  // namespace qvsim
