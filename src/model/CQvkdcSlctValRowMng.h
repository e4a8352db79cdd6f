// CQvkdcSlctValRowMng: the choices of one selection column.
//
// Choice j of the row is entry j of SlctItName, SlctExName and SlctVal
// together; the three lists always have the same length and keep the order
// in which the choices were added. Choices are only ever appended.
#ifndef QVKDC_MODEL_CQVKDCSLCTVALROWMNG_H
#define QVKDC_MODEL_CQVKDCSLCTVALROWMNG_H

#include <string>
#include <unordered_map>
#include <vector>

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

 private:
    std::string ColItName;
    std::vector<std::string> SlctExName;
    std::vector<std::string> SlctItName;
    std::vector<int> SlctVal;
    // Value -> index of its first choice.
    std::unordered_map<int, int> FirstOfVal;
};

#endif  // QVKDC_MODEL_CQVKDCSLCTVALROWMNG_H
