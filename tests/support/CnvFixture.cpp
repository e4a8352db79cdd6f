#include "support/CnvFixture.h"

#include "qvhostsim/qvhostsim.h"

namespace {

// Processes by entid: 1 type 2441, tool T01 of state 1; 2 type 2411, blank
// name, tool of state 0, flag 1323 = 1; 3 type 2425 without tool; 4 type
// 2502, blank tool text, flag with status 1 and no value; 5 type 2411, tool
// name too long for the tool text buffer, flag status -1; 6 type 2411, tool
// text fails. Keys 1122 and 1274 (pitch) and 1300 differ per process.
const char* const kModel = R"({
 "plans": [ { "id": [1,0,0,1], "name": "  Plan A ", "processes": [
  { "id": [2,0,0,1], "type": 2441, "name": " Drill ",
    "tool": {"type": 3, "state": 1, "name": "T01"},
    "candidateTools": ["A", "", "C", "", ""],
    "params": {"250": 3, "251": 2.5, "252": " text ", "253": null,
               "254": {"status": 1}, "255": -5, "256": 3.0,
               "257": "a,\"b\"", "258": 2, "259": "   ",
               "260": {"status": -1}, "1323": 0, "1122": 11.25,
               "1274": 12.75, "1300": 1234.56789} },
  { "id": [2,0,0,2], "type": 2411, "name": "   ",
    "tool": {"type": 3, "state": 0, "name": "T01"},
    "candidateTools": ["", "B"],
    "params": {"250": 4, "1323": 1, "1122": 11.25, "1274": 12.75} },
  { "id": [2,0,0,3], "type": 2425, "name": "Face",
    "params": {"1323": 0, "1122": 11.25, "1274": 12.75, "1300": -0.1,
               "258": 2} },
  { "id": [2,0,0,4], "type": 2502, "name": "Pocket",
    "tool": {"type": 5, "state": 1, "name": "T03"},
    "params": {"1323": {"status": 1}, "1122": 11.25, "1274": 12.75,
               "1300": 3.0, "258": 2} },
  { "id": [2,0,0,5], "type": 2411, "name": "Long",
    "tool": {"type": 5, "state": 1, "name": "ABCDEFGHIJKLMNOPQRS"},
    "params": {"1323": {"status": -1}} },
  { "id": [2,0,0,6], "type": 2411, "name": "Bad",
    "tool": {"type": 5, "state": 1, "name": "T02"} } ] } ],
 "toolTexts": {"T01": " D10 ", "T02": {"status": -1}, "T03": "  ",
               "ABCDEFGHIJKLMNO": "cut"} })";

}  // namespace

void CnvFixture::SetUp() {
    QvsimReset();
    ASSERT_TRUE(LoadModel(kModel));
    const struct {
        const char* item;
        const char* text;
        int value;
    } choices[] = {{"toolType1", "Drill", 3},       {"toolType1", "Mill", 5},
                   {"ttlKSCNANGDECTYP", "Auto", 0}, {"ttlLCLPAXIS", "Y", 2},
                   {"ttlLCLPHGT", "High", 2},       {"selItem", "Two", 2},
                   {"selItem", "Three", 3}};
    for (const auto& c : choices) slct_.AddSlct(c.item, c.text, c.text, c.value);
    cnv_.SetSlctTbl(&slct_);
    cnv_.SetColRow(&row_);
    ASSERT_TRUE(UseProcess(1));
}

void CnvFixture::TearDown() {
    FreeRecord();
    EXPECT_EQ(QvsimHeldBlocks(), 0);
    QvsimReset();
}

::testing::AssertionResult CnvFixture::LoadModel(const char* json) {
    char err[512] = {};
    if (QvsimLoadModelText(json, "model.json", err, sizeof err) != 0) {
        return ::testing::AssertionFailure() << err;
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult CnvFixture::UseProcess(int entid) {
    FreeRecord();
    const ModelId id = {2, 0, 0, entid};
    if (QdgmGetPrcs(0, &id, &rec_) != 0 || rec_ == nullptr) {
        return ::testing::AssertionFailure() << "no process " << entid;
    }
    cnv_.SetPrcsId(id);
    cnv_.SetPrcsDat(rec_);
    return ::testing::AssertionSuccess();
}

int CnvFixture::Convert(const std::string& itName, int prmKey, int valType,
                        std::string* out) {
    row_.SetItName(itName);
    row_.SetPrmKey(prmKey);
    row_.SetValType(valType);
    return cnv_.CnvOutData(*out);
}

std::string CnvFixture::Text(const std::string& itName, int prmKey,
                             int valType) {
    std::string out = "stale";
    EXPECT_EQ(Convert(itName, prmKey, valType, &out), 0) << itName;
    return out;
}

int CnvFixture::Inq() { return QvsimCallCount("QvlbpPrcInqPrm"); }

void CnvFixture::FreeRecord() {
    if (rec_ != nullptr) QmemFrePrcs(rec_);
    rec_ = nullptr;
}
