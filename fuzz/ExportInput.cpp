#include "ExportInput.h"

#include <charconv>
#include <string>

#include "FuzzCheck.h"
#include "qvhostsim/qvhostsim.h"

namespace {

constexpr std::string_view kSeparator = "%%\n";
constexpr std::string_view kRunFailedText = "The CSV export failed; the trace names the cause.";
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

}  // namespace

const char* ExportFilePath(std::size_t i) {
    return i < kCnvTblFileCount ? kCnvTblFiles[i].path : kOptionFilePath;
}

void LoadExportModel() {
    QvsimReset();
    char err[256];
    FuzzCheck(QvsimLoadModelText(kModel, "model.json", err, sizeof err) == 0, err);
    QvsimTraceAll(1, 1);
}

std::vector<ModelId> ExportPlans() {
    std::vector<ModelId> plans(static_cast<std::size_t>(QvsimPlanCount()));
    for (std::size_t i = 0; i < plans.size(); ++i) QvsimPlanId(static_cast<int>(i), &plans[i]);
    return plans;
}

std::vector<std::string_view> ExportSections(std::string_view input) {
    std::vector<std::string_view> sections;
    for (;;) {
        const std::size_t end = input.find(kSeparator);
        sections.push_back(input.substr(0, end));
        if (end == std::string_view::npos) return sections;
        input.remove_prefix(end + kSeparator.size());
    }
}

void ArmExportFaults(std::string_view text) {
    for (const char* call : kFailingCalls) QvsimFailCall(call, 0);
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

void PrepareInMemory(const std::vector<std::string_view>& sections, MemoryFiles* files) {
    for (std::size_t i = 0; i < kExportFileCount && i < sections.size(); ++i) {
        files->Add(ExportFilePath(i), sections[i]);
    }
    files->Serve();
    ArmExportFaults(sections.size() > kExportFaultSection ? sections[kExportFaultSection] : "");
}
