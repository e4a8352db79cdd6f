#include <gtest/gtest.h>

#include <string>

#include "support/HostFixture.h"

namespace {

const std::string kExample = QVKDC_SOURCE_DIR "/tests/hostsim/model.json";

class HostModelFile : public HostTest {};

TEST_F(HostModelFile, LoadsTheExampleWithItsPlansInFileOrder) {
    char err[256];
    ASSERT_EQ(QvsimLoadModelFile(kExample.c_str(), err, sizeof err), 0) << err;
    EXPECT_STREQ(err, "");
    ASSERT_EQ(QvsimPlanCount(), 3);
    ModelId id{};
    ASSERT_EQ(QvsimPlanId(2, &id), 0);
    EXPECT_EQ(id.objid, 3);
    EXPECT_EQ(id.entid, 3);
    EXPECT_EQ(QvsimPlanId(3, &id), -1);
    EXPECT_EQ(QvsimPlanId(-1, &id), -1);
}

// A plan whose single process is `process`.
std::string WithProcess(const std::string& process) {
    return R"({"plans": [{"id": [1, 0, 0, 1], "processes": [)" + process + "]}]}";
}

TEST_F(HostModelFile, RefusesABadModelWithOneLineAndKeepsThePreviousOne) {
    const std::string longName(64, 'T');
    struct Case {
        std::string json;
        std::string error;
    };
    const Case cases[] = {
        {"[1, 2", "m.json: not JSON: parse error at line 1, column 6"},
        {"", "m.json: not JSON: parse error at line 1, column 1"},
        {"[]", "m.json: expected an object"},
        {R"({"toolTexts": {}})", "m.json: plans: missing"},
        {R"({"plans": {}})", "m.json: plans: expected a list of plans"},
        {R"({"plans": [], "extra": 1})", "m.json: extra: unknown field"},
        {R"({"plans": [{"id": [1, 0, 0]}]})", "m.json: plans[0].id: expected four ints"},
        {R"({"plans": [{"id": [1, 0, 0, 1.5]}]})", "m.json: plans[0].id: expected four ints"},
        {R"({"plans": [{"id": [1, 0, 0, 4294967296]}]})",
         "m.json: plans[0].id[3]: int out of range"},
        {R"({"plans": [{"name": "x"}]})", "m.json: plans[0].id: missing"},
        {R"({"plans": [{"id": [1, 0, 0, 1], "colour": "red"}]})",
         "m.json: plans[0].colour: unknown field"},
        {R"({"plans": [{"id": [1, 0, 0, 1], "name": 5}]})",
         "m.json: plans[0].name: expected a text"},
        {R"({"plans": [{"id": [1, 0, 0, 1], "machine": {"names": ["a"]}}]})",
         "m.json: plans[0].machine.names: expected two texts"},
        {R"({"plans": [{"id": [1, 0, 0, 1]}, {"id": [1, 0, 0, 1]}]})",
         "m.json: plans[1].id: duplicate id 1 0 0 1"},
        {WithProcess(R"({"id": [1, 0, 0, 1], "type": 2411})"),
         "m.json: plans[0].processes[0].id: duplicate id 1 0 0 1"},
        {WithProcess(R"({"id": [1, 0, 0, 2]})"), "m.json: plans[0].processes[0].type: missing"},
        {WithProcess(R"({"id": [1, 0, 0, 2], "type": "2411"})"),
         "m.json: plans[0].processes[0].type: expected an int"},
        {WithProcess(R"({"id": [1, 0, 0, 2], "type": 1, "candidateTools": ["a","b","c","d","e","f"]})"),
         "m.json: plans[0].processes[0].candidateTools: more than 5 tools"},
        {WithProcess(R"({"id": [1, 0, 0, 2], "type": 1, "tool": {"type": 1, "state": 1, "name": ")" +
                     longName + R"("}})"),
         "m.json: plans[0].processes[0].tool.name: longer than 63 bytes"},
        {WithProcess(R"({"id": [1, 0, 0, 2], "type": 1, "tool": {"type": 1, "name": "x"}})"),
         "m.json: plans[0].processes[0].tool.state: missing"},
        {WithProcess(R"({"id": [1, 0, 0, 2], "type": 1, "params": {"k1": 1}})"),
         "m.json: plans[0].processes[0].params.k1: expected an int key"},
        {WithProcess(R"({"id": [1, 0, 0, 2], "type": 1, "params": {"1": [1]}})"),
         "m.json: plans[0].processes[0].params.1: expected an int, a number, a text, null or "
         "{\"status\": N}"},
        {WithProcess(R"({"id": [1, 0, 0, 2], "type": 1, "params": {"1": {"status": 1, "x": 2}}})"),
         "m.json: plans[0].processes[0].params.1.x: unknown field"},
        {WithProcess(R"({"id": [1, 0, 0, 2], "type": 1, "faults": ["QdgmRetLstRO"]})"),
         "m.json: plans[0].processes[0].faults[0]: \"QdgmRetLstRO\" cannot fail for a process"},
        {R"({"plans": [{"id": [1, 0, 0, 1], "faults": ["QdgmFoo"]}]})",
         "m.json: plans[0].faults[0]: unknown host call \"QdgmFoo\""},
        {R"({"plans": [{"id": [1, 0, 0, 1], "faults": ["QmemFreId"]}]})",
         "m.json: plans[0].faults[0]: unknown host call \"QmemFreId\""},
        {R"({"plans": [], "toolTexts": {"T": 3}})",
         "m.json: toolTexts.T: expected a text or {\"status\": N}"},
        {R"({"plans": [], "messages": {"four": "x"}})", "m.json: messages.four: expected an int key"},
    };
    LoadModel(R"({"plans": [{"id": [9, 9, 9, 9]}]})");
    for (const Case& c : cases) {
        char err[512] = "unset";
        EXPECT_EQ(QvsimLoadModelText(c.json.c_str(), "m.json", err, sizeof err), -1) << c.json;
        const std::string got = err;
        EXPECT_EQ(got.substr(0, c.error.size()), c.error) << c.json;
        EXPECT_EQ(got.find('\n'), std::string::npos) << got;
        ModelId id{};
        EXPECT_EQ(QvsimPlanCount(), 1) << c.json;
        EXPECT_EQ(QvsimPlanId(0, &id), 0);
        EXPECT_EQ(id.objid, 9) << "the previous model stays after " << c.json;
    }
}

TEST_F(HostModelFile, MissingFileCannotBeReadAndErrIsBounded) {
    const std::string path = ::testing::TempDir() + "no_such_model.json";
    char err[256];
    EXPECT_EQ(QvsimLoadModelFile(path.c_str(), err, sizeof err), -1);
    EXPECT_EQ(std::string(err), path + ": cannot be read");

    char small[8];
    EXPECT_EQ(QvsimLoadModelText("{", "model.json", small, sizeof small), -1);
    EXPECT_STREQ(small, "model.j");
    EXPECT_EQ(QvsimLoadModelText("{", "model.json", nullptr, 0), -1);
}

}  // namespace
