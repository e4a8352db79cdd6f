// CQvkdcOutColRowMng: the definition of one output column of the CSV file.
//
// A column says which item of a process it shows (ItName), under which title
// (ExName), by which parameter key the value is asked for (PrmKey) and as
// which value type it is written. Value type, sub type and the two marks are
// given as keyword texts from the conversion tables and stored as codes; the
// keyword and mark tests compare the whole text, exactly and case-sensitively.
#ifndef QVKDC_MODEL_CQVKDCOUTCOLROWMNG_H
#define QVKDC_MODEL_CQVKDCOUTCOLROWMNG_H

#include <string>
#include <string_view>
#include <vector>

#include "examine/ValueTypes.h"

class CQvkdcOutColRowMng {
 public:
    // 1 when mark is exactly "o" (lower-case letter o), else 0
    // (MarkCodeOf).
    static int MarkCode(std::string_view mark);

    // ColFlg 0, empty names, every other field 0.
    CQvkdcOutColRowMng() = default;
    virtual ~CQvkdcOutColRowMng() = default;
    CQvkdcOutColRowMng(const CQvkdcOutColRowMng&) = delete;
    CQvkdcOutColRowMng& operator=(const CQvkdcOutColRowMng&) = delete;

    void SetColFlg(int colFlg) { ColFlg = colFlg; }
    void SetItName(const std::string& itName) { ItName = itName; }
    void SetExName(const std::string& exName) { ExName = exName; }
    void SetPrmKey(int prmKey) { PrmKey = prmKey; }
    void SetPriority(int priority) { Priority = priority; }
    void SetValType(int valType) { ValType = valType; }
    void SetSubType(int subType) { SubType = subType; }
    void SetIsBlank(int isBlank) { IsBlank = isBlank; }
    void SetIsRepeat(int isRepeat) { IsRepeat = isRepeat; }

    // Store the code of a keyword or mark text (ValueTypeCodeOf,
    // SubTypeCodeOf, MarkCodeOf of examine/ValueTypes.h).
    void SetValTypeStr(std::string_view keyword);
    void SetSubTypeStr(std::string_view keyword);
    void SetIsBlankStr(std::string_view mark);
    void SetIsRepeatStr(std::string_view mark);

    int GetColFlg() const { return ColFlg; }
    std::string GetItName() const { return ItName; }
    std::string GetExName() const { return ExName; }
    int GetPrmKey() const { return PrmKey; }
    int GetPriority() const { return Priority; }
    // The effective value type: SubType when it is not 0, else ValType.
    int GetValType() const { return SubType != 0 ? SubType : ValType; }
    int GetSubType() const { return SubType; }
    int GetIsBlank() const { return IsBlank; }
    int GetIsRepeat() const { return IsRepeat; }

    // Read-only views of the names, for callers that only compare or append
    // them and need no copy.
    const std::string& ItNameRef() const { return ItName; }
    const std::string& ExNameRef() const { return ExName; }

 private:
    int ColFlg = 0;
    std::string ItName;
    std::string ExName;
    int PrmKey = 0;
    int Priority = 0;
    int ValType = 0;
    int IsBlank = 0;
    int IsRepeat = 0;
    int SubType = 0;
};

#endif  // QVKDC_MODEL_CQVKDCOUTCOLROWMNG_H
