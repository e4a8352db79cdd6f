// Fuzz target: a whole output run over fuzzed table files, a fuzzed option
// file and fuzzed host faults, against a fixed small model, all in memory.
//
// Input: sections separated by "%%\n": the six table files in import order
// (ExteriorTable, ProcessParametersTable, ParameterSettingTable,
// SelectionToIntTable, VariableTable, PlanCSVTable), then the option file,
// then host calls to fail, one "NAME N" a line (the Nth call of NAME
// fails). A file whose section is missing does not exist.
//
// After each run: no host block held, no bad free, every trace frame
// closed, one message 9999 exactly when the status is negative, and the
// existence check finds the files the run wrote.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "MemoryFiles.h"
#include "entry/QvkdcCreOutputData.h"
#include "entry/QvkdcIsExistFile.h"
#include "host/Zrl.h"
#include "qvhostsim/qvhostsim.h"

namespace {

constexpr std::string_view kSeparator = "%%\n";
constexpr std::string_view kRunFailedText = "The CSV export failed; the trace names the cause.";
constexpr const char* kFiles[] = {
    "\\MIRVANE\\CAM\\KR\\Tables\\ExteriorTable.tsv",
    "\\MIRVANE\\CAM\\KR\\Tables\\ProcessParametersTable.tsv",
    "\\MIRVANE\\CAM\\KR\\Tables\\ParameterSettingTable.tsv",
    "\\MIRVANE\\CAM\\KR\\Tables\\SelectionToIntTable.tsv",
    "\\MIRVANE\\CAM\\KR\\Tables\\VariableTable.tsv",
    "\\MIRVANE\\CAM\\KR\\Tables\\PlanCSVTable.tsv",
    "\\MIRVANE\\user\\cam\\nccust\\rc_pln2usr.ini",
};
constexpr std::size_t kFileCount = sizeof kFiles / sizeof kFiles[0];
constexpr const char* kFailingCalls[] = {"QdgmRetLstRO",   "QdgmInqNctyp", "QdgmGetPrcs",
                                         "QdgmRetIdnamLN", "QdgmRetLstRM", "QvlbpPrcInqPrm",
                                         "QvptfInqLnN",    "ReadTable"};

// Two plans that export, one rejected by a process type, one without
// process data and one without processes.
constexpr const char* kModel = R"json(
{"plans": [
 {"id": [7, 0, 1, 0], "name": "Bracket A-100 OP10", "machine": {"names": ["VMC-850 vertical", "Controller M-30"]}, "processes": [
  {"id": [7, 1, 101, 0], "type": 2411, "name": "Face top", "tool": {"type": 2, "state": 1, "name": "FM50"}, "candidateTools": ["FM50", "FM63"], "params": {"1011": 2411, "1323": 1, "1101": 1, "1201": 2400, "1202": 1800.0, "1203": 600.0, "1204": 1.5, "1205": 0.75, "1206": {"status": -1}, "1207": null, "1208": 1, "1209": 1, "1302": "O9001 WARMUP", "1401": "OP10", "1701": "BT40 FMA22, 60 mm", "1601": 1.8, "1502": "internal note, not exported", "1511": "not exported"}},
  {"id": [7, 1, 104, 0], "type": 2414, "name": "Profile outside", "tool": {"type": 1, "state": 1, "name": "EM16-3F"}, "candidateTools": ["EM16-3F", "", "EM20-4F"], "params": {"1011": 2414, "1323": 1, "1101": 6, "1201": 4200, "1202": 1100.0, "1203": 300.0, "1204": 20.0, "1205": 5.0, "1207": 4, "1208": 1, "1209": 2, "1401": "OP10", "1701": "BT40 Weldon 16, 80 mm", "1601": 4.1, "1501": "Leave 0.2 on the clamp side, check \"tab\" positions"}},
  {"id": [7, 1, 107, 0], "type": 2426, "name": "Drill 8.5 thru", "tool": {"type": 4, "state": 1, "name": "DR8.5-CO"}, "candidateTools": ["", "DR8.5-CO", "", "DR8.5-HSS"], "params": {"1011": 2426, "1323": 0, "1324": 1, "1325": 42.5, "1101": 12, "1201": 3700, "1202": 590.0, "1204": 24.0, "1207": 1, "1208": 3, "1401": "OP10", "1701": "BT40 hydraulic, 85 mm", "1601": 1.15, "1703": 3}},
  {"id": [7, 1, 110, 0], "type": 2441, "name": "Peck drill macro", "tool": {"type": 4, "state": 1, "name": "DR5-CO"}, "candidateTools": ["DR5-CO"], "params": {"1011": 2441, "1323": 0, "1324": 2, "1325": 35.0, "1101": 15, "1201": 5100, "1202": 510.0, "1204": 30.0, "1208": 3, "1301": "O9010 PECK Q2.0", "1302": "O9000 SAFE", "1401": "OP10", "1601": 0.75, "1703": 3}}
 ]},
 {"id": [7, 0, 3, 0], "name": "Housing H-7", "machine": {"names": ["5AX-400 trunnion", "Controller M-30i"]}, "processes": [
  {"id": [7, 1, 205, 0], "type": 2415, "name": "Slot S1", "tool": {"type": 1, "state": 0, "name": "EM6-2F"}, "candidateTools": ["EM6-2F"], "params": {"1011": 2415, "1323": 1, "1101": 7, "1201": 9500, "1202": 520.0, "1203": 150.0, "1204": 4.0, "1205": 0.5, "1207": 8, "1208": 1, "1209": 1, "1401": "OP10", "1601": 2.05}},
  {"id": [7, 1, 125, 0], "type": 2418, "name": "Swarf blade walls", "tool": {"type": 3, "state": 1, "name": "BM10-4F"}, "candidateTools": ["BM10-4F"], "params": {"1011": 2418, "1323": 1, "1101": 20, "1201": 9000, "1202": 2000.0, "1208": 1}}
 ]},
 {"id": [7, 0, 4, 0], "name": "Fixture plate FX-3", "machine": {"names": ["VMC-850 vertical", "Controller M-30"]}, "processes": null},
 {"id": [7, 0, 5, 0], "name": "Soft jaws SJ-1", "processes": [
 ]}
], "toolTexts": {"FM50": "Face mill D50, 5 inserts APKT 1604", "EM16-3F": "End mill D16 HSS-Co, 3 flutes", "EM6-2F": "Slot drill D6, 2 flutes", "DR8.5-CO": "Drill D8.5 HSS-Co, 5xD", "DR5-CO": "Drill D5 HSS-Co, 8xD"}})json";

std::vector<std::string_view> Sections(std::string_view input) {
    std::vector<std::string_view> sections;
    for (;;) {
        const std::size_t end = input.find(kSeparator);
        sections.push_back(input.substr(0, end));
        if (end == std::string_view::npos) return sections;
        input.remove_prefix(end + kSeparator.size());
    }
}

// Arms the failures of "NAME N" lines; other lines are ignored.
void ArmFaults(std::string_view text) {
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        const std::string_view line = text.substr(0, eol);
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
        const std::size_t blank = line.find(' ');
        if (blank == std::string_view::npos) continue;
        int nth = 0;
        const char* first = line.data() + blank + 1;
        if (std::from_chars(first, line.data() + line.size(), nth).ec != std::errc()) continue;
        QvsimFailCall(std::string(line.substr(0, blank)).c_str(), nth);
    }
}

int RunFailedMessages() {
    int n = 0;
    for (int i = 0; i < QvsimMsgCount(); ++i) {
        const std::string_view line = QvsimMsgAt(i);
        const bool failed = line.size() >= kRunFailedText.size() &&
                            line.substr(line.size() - kRunFailedText.size()) == kRunFailedText;
        n += failed ? 1 : 0;
    }
    return n;
}

}  // namespace

// The model and the trace switches stay for the whole run of the target:
// setting them up takes longer than most inputs.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    QvsimReset();
    char err[256];
    FuzzCheck(QvsimLoadModelText(kModel, "model.json", err, sizeof err) == 0, err);
    QvsimTraceAll(1, 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string_view> sections =
        Sections(std::string_view(reinterpret_cast<const char*>(data), size));
    QvsimTraceClear();
    for (const char* call : kFailingCalls) QvsimFailCall(call, 0);

    MemoryFiles files;
    for (std::size_t i = 0; i < kFileCount && i < sections.size(); ++i) {
        files.Add(kFiles[i], sections[i]);
    }
    files.Serve();
    ScopedFileSystem scope(&files);
    if (sections.size() > kFileCount) ArmFaults(sections[kFileCount]);

    std::vector<ModelId> plans(static_cast<std::size_t>(QvsimPlanCount()));
    for (std::size_t i = 0; i < plans.size(); ++i) QvsimPlanId(static_cast<int>(i), &plans[i]);
    const int count = static_cast<int>(plans.size());
    const std::size_t before = files.Files().size();
    int status = 0;
    QvkdcCreOutputData(&count, plans.data(), "out", "F", &status);
    FuzzCheck(QvsimHeldBlocks() == 0, "every host block is given back");
    FuzzCheck(QvsimBadFrees() == 0, "nothing is freed twice or foreign");
    FuzzCheck(ZrlCurrentGet() == nullptr, "every trace frame is closed");
    FuzzCheck(RunFailedMessages() == (status < 0 ? 1 : 0),
              "one message 9999 exactly when the run fails");

    const bool wrote = files.Files().size() > before;
    int exists = -1;
    QvkdcIsExistFile(&count, plans.data(), "out", "F", &exists);
    FuzzCheck(exists == (wrote ? 1 : 0), "the existence check finds the files written");
    FuzzCheck(ZrlCurrentGet() == nullptr, "every trace frame is closed");
    return 0;
}
