// Output files replaced on Windows: a file that another program holds open
// without sharing (a spreadsheet showing it) fails the run at "File Open",
// with the system's reason, and keeps its bytes; an export over earlier
// files replaces them whole and leaves no temporary file.
#include <windows.h>

#include <set>
#include <string>

#include "entry/QvkdcCreOutputData.h"
#include "entry/QvkdcOutputRun.h"
#include "examine/SystemErrorText.h"
#include "support/HostFixture.h"

namespace {

using ReplacingOutput = HostTest;

TEST_F(ReplacingOutput, HeldFileFailsAtOpenOthersAreReplacedWhole) {
    Root().WriteTables(TableRoot::Example());
    Root().WriteFile("out/OUT000.csv", std::string(5000, 'e') + "\r\n");
    const std::string held = Root().WriteFile("out/OUT001.csv", "held\r\n");
    LoadModel(R"({"plans": [{"id": [1, 0, 0, 1], "processes": [{"id": [11, 0, 0, 1], "type": 2411,
        "params": {"100": 7, "300": "z"}}]}, {"id": [2, 0, 0, 1], "processes": [{"id": [21, 0, 0, 1],
        "type": 2411, "params": {"100": 5}}]}]})");
    ModelId plans[2];
    ASSERT_EQ(QvsimPlanId(0, &plans[0]) + QvsimPlanId(1, &plans[1]), 0);
    const int count = 2;
    int status = 99;
    QvsimTraceAll(1, 1);
    const HANDLE other = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    QvkdcRunPlace place;
    QvkdcCreOutputDataAt(&count, plans, Root().PathOf("out").c_str(), "OUT", &status, &place);
    CloseHandle(other);
    const std::string reason = SystemErrorText(ERROR_SHARING_VIOLATION);
    EXPECT_TRUE(status == -1 && TraceHas("[ERR] : File Open\noStatusP = -1\n"))
        << QvsimTraceText();
    EXPECT_TRUE(place.path == held && place.status.code() == ERROR_SHARING_VIOLATION &&
                place.status.ToString() == reason) << place.status.ToString();
    EXPECT_EQ(Root().ReadFile("out/OUT000.csv") + Root().ReadFile("out/OUT001.csv"),
              "N,Mode,Z\r\n7,,\"\"\"z\"\"\"\r\nheld\r\n");
    QvkdcCreOutputData(&count, plans, Root().PathOf("out").c_str(), "OUT", &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Root().ReadFile("out/OUT001.csv"), "N,Mode,Z\r\n5,,\r\n");
    EXPECT_EQ(Root().Files("out"), (std::set<std::string>{"OUT000.csv", "OUT001.csv"}));
}

}  // namespace
