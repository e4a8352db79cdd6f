// CQvkdcSlctValRowMng: the choices of one selection column.
//
// Choice j of the row is entry j of SlctItName, SlctExName and SlctVal
// together; the three lists always have the same length and keep the order
// in which the choices were added. Choices are only ever appended.
//
// For the lookup of a text by value, which an export makes for every cell
// of a selection column, the row also keeps the external texts back to back
// in one string and an index from value to choice: a lookup then touches a
// few small arrays rather than a hash node and a string object per choice.
#ifndef QVKDC_MODEL_CQVKDCSLCTVALROWMNG_H
#define QVKDC_MODEL_CQVKDCSLCTVALROWMNG_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/IntIndex.h"

class CQvkdcSlctValRowMng {
 public:
    // Empty ColItName, no choices.
    CQvkdcSlctValRowMng() = default;
    virtual ~CQvkdcSlctValRowMng() = default;
    CQvkdcSlctValRowMng(const CQvkdcSlctValRowMng&) = delete;
    CQvkdcSlctValRowMng& operator=(const CQvkdcSlctValRowMng&) = delete;

    // 1 when name equals ColItName exactly, else 0.
    int IsColItName(const std::string& name) const;
    void SetColItName(const std::string& name) { ColItName = name; }
    std::string GetColItName() const { return ColItName; }
    const std::string& ColItNameRef() const { return ColItName; }

    // Append one list entry each. A choice is complete once all three were
    // appended; AddSlct of the table appends all three together.
    void AddSlctExName(const std::string& exName);
    void AddSlctItName(const std::string& itName);
    void AddSlctVal(int value);

    const std::vector<std::string>& GetSlctExNameArr() const {
        return SlctExName;
    }
    const std::vector<std::string>& GetSlctItNameArr() const {
        return SlctItName;
    }
    const std::vector<int>& GetSlctValArr() const { return SlctVal; }

    // Index of the first choice, in order of addition, whose value is
    // value; -1 when there is none. Does not scan the choices.
    int FindSlctVal(int value) const;
    // External text of that choice; false when there is none (or the
    // choice has no external text yet).
    bool FindSlctExName(int value, std::string_view* text) const {
        const int j = FindSlctVal(value);
        if (j < 0 || static_cast<std::size_t>(j) >= ExNameEnd.size()) return false;
        const std::size_t k = static_cast<std::size_t>(j);
        const uint32_t begin = k > 0 ? ExNameEnd[k - 1] : 0;
        *text = std::string_view(ExNameText).substr(begin, ExNameEnd[k] - begin);
        return true;
    }

 private:
    std::string ColItName;
    std::vector<std::string> SlctExName;
    std::vector<std::string> SlctItName;
    std::vector<int> SlctVal;
    // Value -> index of its first choice.
    IntIndex FirstOfVal;
    // The external texts back to back, and where each ends.
    std::string ExNameText;
    std::vector<uint32_t> ExNameEnd;
};

#endif  // QVKDC_MODEL_CQVKDCSLCTVALROWMNG_H
