#include "DirectWriter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

#include "convert/PrcsTypeSet.h"
#include "host/Qdgm.h"
#include "host/Qvlbu.h"
#include "host/Qvptf.h"

namespace {

constexpr int kMacroType = 2441;

bool Accepted(int type) {
    return (type >= 2411 && type <= 2417) || (type >= 2419 && type <= 2422) ||
           (type >= 2425 && type <= 2444) || (type >= 2446 && type <= 2448) ||
           type == 2502;
}

bool Blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && Blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && Blank(s.back())) s.remove_suffix(1);
    return s;
}

// A text in three double quotes on each side once trimmed; nothing when
// blank.
void AppendQuoted(std::string_view text, std::string& out) {
    text = Trim(text);
    if (text.empty()) return;
    out.append("\"\"\"").append(text).append("\"\"\"");
}

std::string_view Bounded(const char* buf, std::size_t size) {
    return std::string_view(buf, strnlen(buf, size - 1));
}

}  // namespace

DirectWriter::DirectWriter(const Workload& workload) {
    for (const WorkloadColumn& c : workload.Columns()) {
        if (!title_.empty()) title_ += ',';
        title_ += c.title;
        Column col{c.rule, c.key, c.effType, Column::kNone, {}};
        if (c.item == "ttlKPMCR") col.special = Column::kMacro;
        if (c.item == "ttlKPMCRA") col.special = Column::kMacroA;
        if (c.item == "ttlKZPCHVAL") col.special = Column::kPitch;
        if (c.item == "ttlKHCOMMENTA") col.special = Column::kComment;
        for (const auto& choice : c.choices) col.choices.emplace_back(choice.second, choice.first);
        std::stable_sort(col.choices.begin(), col.choices.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        columns_.push_back(std::move(col));
    }
}

int DirectWriter::Export(const std::vector<ModelId>& plans, const std::string& folder,
                         const std::string& name) {
    for (std::size_t i = 0; i < plans.size(); ++i) {
        int count = 0;
        ModelId* list = nullptr;
        if (QdgmRetLstRO(kQdgmRelPlanPrcs, &plans[i], &count, &list) < 0) continue;
        rows_.clear();
        bool accepted = true;
        int status = 0;
        for (int k = 0; k < count && status == 0; ++k) {
            int unused = 0;
            int type = 0;
            if (QdgmInqNctyp(&list[k], &unused, &type) != 0) {
                status = -1;
                break;
            }
            if (!Accepted(type)) {
                accepted = false;
                break;
            }
            QdgmPrcsRec* rec = nullptr;
            if (QdgmGetPrcs(0, &list[k], &rec) != 0) status = -1;
            if (status == 0) status = Row(list[k], rec, rows_);
            QmemFrePrcs(rec);
        }
        QmemFreId(list);
        if (status != 0) return status;
        if (!accepted || rows_.empty()) continue;

        char index[8];
        std::snprintf(index, sizeof index, "%03d", static_cast<int>(i));
        const std::string path =
            folder + "/" + name + (plans.size() == 1 ? "" : index) + ".csv";
        std::unique_ptr<std::FILE, decltype(&std::fclose)> file(std::fopen(path.c_str(), "wb"),
                                                                &std::fclose);
        if (!file) return -1;
        bool ok = std::fwrite(title_.data(), 1, title_.size(), file.get()) == title_.size() &&
                  std::fputc('\n', file.get()) != EOF &&
                  std::fwrite(rows_.data(), 1, rows_.size(), file.get()) == rows_.size();
        ok = std::fclose(file.release()) == 0 && ok;
        if (!ok) return -1;
    }
    return 0;
}

int DirectWriter::Row(const ModelId& prcs, QdgmPrcsRec* rec, std::string& out) {
    for (std::size_t j = 0; j < columns_.size(); ++j) {
        if (j > 0) out += ',';
        if (Cell(columns_[j], prcs, rec, out) != 0) return -1;
    }
    out += '\n';
    return 0;
}

int DirectWriter::Cell(const Column& col, const ModelId& prcs, QdgmPrcsRec* rec,
                       std::string& out) {
    switch (col.rule) {
        case CellRule::kEmpty:
            return 0;
        case CellRule::kPrcsName: {
            char name[kQdgmNameSize] = {};
            if (QdgmRetIdnamLN(&prcs, name) < 0) return -1;
            AppendQuoted(Bounded(name, sizeof name), out);
            return 0;
        }
        case CellRule::kPlanName: {
            int unused = 0;
            int capacity = 1;
            ModelId plan{};
            if (QdgmRetLstRM(kQdgmRelPlanPrcs, &prcs, &unused, &capacity, &plan) < 0 ||
                capacity == 0) {
                return -1;
            }
            char name[kQdgmNameSize] = {};
            if (QdgmRetIdnamLN(&plan, name) < 0) return -1;
            out += Bounded(name, sizeof name);
            return 0;
        }
        case CellRule::kToolType:
            if (rec->tool != nullptr && rec->tool->state == 1) {
                Select(col, &rec->tool->toolType, out);
            }
            return 0;
        case CellRule::kToolCheck: {
            if (rec->tool == nullptr) return 0;
            char toolName[kQvptfToolNameSize] = {};
            const std::string_view full = Bounded(rec->tool->name, sizeof rec->tool->name);
            std::memcpy(toolName, full.data(), std::min(full.size(), sizeof toolName - 1));
            char text[kQvptfTextSize] = {};
            int one = 1;
            int status = 0;
            QvptfInqLnN(&one, toolName, text, &status);
            if (status < 0) return -1;
            const std::string_view t = Trim(Bounded(text, sizeof text));
            if (!t.empty()) {
                out.append("\"").append(Workload::ToolSetForm()).append("=\"\"");
                out.append(t).append("\"\"\"");
            }
            return 0;
        }
        case CellRule::kScanAngle: {
            const int zero = 0;
            Select(col, &zero, out);
            return 0;
        }
        case CellRule::kToolGroup: {
            char tools[5][kQvlbuCanToolSize] = {};
            int zero = 0;
            QvlbuGetCanTool(&prcs, &zero, tools[0], tools[1], tools[2], tools[3], tools[4]);
            for (int i = 0; i < 5; ++i) {
                const std::string_view t = Bounded(tools[i], sizeof tools[i]);
                if (t.empty()) continue;
                if (i > 0) out += '#';
                out += t;
            }
            return 0;
        }
        case CellRule::kLocalAxis:
        case CellRule::kLocalHeight: {
            void* value = nullptr;
            int status = 0;
            int flagKey = 1323;
            QvlbpPrcInqPrm(&rec, &flagKey, &value, &status);
            if (status < 0) return -1;
            if (value != nullptr && *static_cast<const int*>(value) == 1) return 0;
            if (col.rule == CellRule::kLocalAxis && !IsPrcsTypeSetA(rec->nctyp)) return 0;
            value = nullptr;
            int key = col.key;
            QvlbpPrcInqPrm(&rec, &key, &value, &status);
            if (status < 0) return -1;
            if (col.effType == 1003) {
                Select(col, value, out);
            } else if (col.effType == 1001 && value != nullptr) {
                const double v = *static_cast<const double*>(value);
                if (std::isfinite(v)) {
                    char buf[400];
                    out.append(buf, std::to_chars(buf, buf + sizeof buf, v,
                                                  std::chars_format::fixed, 6).ptr);
                }
            }
            return 0;
        }
        case CellRule::kParam:
            break;
    }
    const int type = rec->nctyp;
    int key = col.key;
    if (col.special == Column::kMacro && type != kMacroType) return 0;
    if (col.special == Column::kMacroA && type == kMacroType) return 0;
    if (col.special == Column::kPitch) key = IsPrcsTypeSetA(type) ? 1122 : 1274;
    if (key == 0 || key == 999999) return 0;
    return Param(col, key, rec, out);
}

int DirectWriter::Param(const Column& col, int key, QdgmPrcsRec* rec, std::string& out) {
    void* value = nullptr;
    int status = 0;
    QvlbpPrcInqPrm(&rec, &key, &value, &status);
    if (status != 0) return -1;
    if (value == nullptr) return 0;
    char buf[400];
    switch (col.effType) {
        case 65:
            out.append(buf, std::to_chars(buf, buf + sizeof buf, *static_cast<const int*>(value)).ptr);
            break;
        case 1001: {
            const double v = *static_cast<const double*>(value);
            if (std::isfinite(v)) {
                out.append(buf, std::to_chars(buf, buf + sizeof buf, v,
                                              std::chars_format::fixed, 6).ptr);
            }
            break;
        }
        case 1002:
            if (col.special == Column::kComment) {
                std::string text = static_cast<const char*>(value);
                std::replace(text.begin(), text.end(), '"', '_');
                std::replace(text.begin(), text.end(), ',', '_');
                AppendQuoted(text, out);
            } else {
                AppendQuoted(static_cast<const char*>(value), out);
            }
            break;
        case 1003:
            Select(col, value, out);
            break;
        default:
            break;
    }
    return 0;
}

void DirectWriter::Select(const Column& col, const void* value, std::string& out) const {
    if (value == nullptr) return;
    const int v = *static_cast<const int*>(value);
    const auto it = std::lower_bound(col.choices.begin(), col.choices.end(), v,
                                     [](const auto& c, int x) { return c.first < x; });
    if (it != col.choices.end() && it->first == v) out += it->second;
}
