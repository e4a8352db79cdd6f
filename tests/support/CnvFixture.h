// CnvFixture: a process converter pointed at a process of the stand-in
// host's model (CnvFixture.cpp), with a selection table of its own.
#ifndef QVKDC_TESTS_SUPPORT_CNVFIXTURE_H
#define QVKDC_TESTS_SUPPORT_CNVFIXTURE_H

#include <gtest/gtest.h>

#include <string>

#include "convert/CQvkdcCnvColData.h"
#include "host/Qdgm.h"
#include "model/CQvkdcOutColRowMng.h"
#include "model/CQvkdcSlctValTblMng.h"

constexpr int kInteger = CQvkdcOutColRowMng::kSubTypeInteger;
constexpr int kReal = CQvkdcOutColRowMng::kValTypeReal;
constexpr int kString = CQvkdcOutColRowMng::kValTypeString;
constexpr int kSelect = CQvkdcOutColRowMng::kValTypeSelect;

// Three double-quote characters on each side: the quoted-text form.
inline std::string Q3(const std::string& s) {
    return "\"\"\"" + s + "\"\"\"";
}

class CnvFixture : public ::testing::Test {
 protected:
    void SetUp() override;
    void TearDown() override;

    ::testing::AssertionResult LoadModel(const char* json);
    // Points the converter at process [2,0,0,entid]: id and record.
    ::testing::AssertionResult UseProcess(int entid);
    // Converts one column into *out (left as it was on failure).
    int Convert(const std::string& itName, int prmKey, int valType,
                std::string* out);
    // Text of one column; the conversion must succeed.
    std::string Text(const std::string& itName, int prmKey = 0,
                     int valType = 0);
    // Number of parameter inquiries made so far.
    static int Inq();
    QdgmPrcsRec* Record() const { return rec_; }

    CQvkdcCnvColData cnv_;
    CQvkdcSlctValTblMng slct_;
    CQvkdcOutColRowMng row_;

 private:
    void FreeRecord();
    QdgmPrcsRec* rec_ = nullptr;
};

#endif  // QVKDC_TESTS_SUPPORT_CNVFIXTURE_H
