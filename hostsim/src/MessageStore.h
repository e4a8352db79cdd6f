// MessageStore: the message resources of group 577685 and the message
// manager's list, as the stand-in host keeps them.
#ifndef QVHOSTSIM_MESSAGESTORE_H
#define QVHOSTSIM_MESSAGESTORE_H

#include <map>
#include <string>
#include <vector>

namespace qvsim {

class MessageStore {
 public:
    // The only message group of the resources.
    static constexpr int kGroup = 577685;

    MessageStore() { Reset(); }

    // Default texts, no title, empty list, no init counted.
    void Reset();
    // Default texts with `overrides` laid over them (number -> text).
    void SetTexts(const std::map<int, std::string>& overrides);
    // Text of a message number; null when there is none.
    const std::string* Text(int group, int number) const;

    // QvmsgMgrInit: a new, empty list without a title.
    void Init();
    void SetTitle(const char* title);
    void Add(int kind, const char* line);

    int InitCount() const { return initCount_; }
    const std::string* Title() const { return hasTitle_ ? &title_ : nullptr; }
    int Count() const { return static_cast<int>(lines_.size()); }
    // REQUIRES: 0 <= i < Count().
    const std::string& Line(int i) const { return lines_[static_cast<std::size_t>(i)]; }
    int Kind(int i) const { return kinds_[static_cast<std::size_t>(i)]; }

 private:
    std::map<int, std::string> texts_;
    std::string title_;
    bool hasTitle_ = false;
    std::vector<std::string> lines_;
    std::vector<int> kinds_;
    int initCount_ = 0;
};

// The one message store of the stand-in host.
MessageStore& TheMessages();

}  // namespace qvsim

#endif  // QVHOSTSIM_MESSAGESTORE_H
