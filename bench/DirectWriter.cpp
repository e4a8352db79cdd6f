#include "DirectWriter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "ColumnUse.h"
#include "ValueText.h"
#include "AcceptedPrcsType.h"
#include "HostCalls.h"
#include "TextTrim.h"

namespace {

std::string_view Bounded(const char* buf, std::size_t size) {
    return std::string_view(buf, strnlen(buf, size - 1));
}

}  // namespace

DirectWriter::CellRule DirectWriter::CellRuleOf(std::string_view item) {
    switch (DescribeColumn(item, 0, 0).conv) {
        case ItemConv::kEmpty:
            return CellRule::kEmpty;
        case ItemConv::kParam:
            return CellRule::kParam;
        case ItemConv::kDedicated:
            break;
    }
    if (item == kItemPrcsName) return CellRule::kPrcsName;
    if (item == kItemPlanName) return CellRule::kPlanName;
    if (item == kItemToolType) return CellRule::kToolType;
    if (item == kItemToolCheck) return CellRule::kToolCheck;
    if (item == kItemScanAngle) return CellRule::kScanAngle;
    if (item == kItemToolGroup) return CellRule::kToolGroup;
    if (item == kItemLocalAxis || item == kItemLocalHeight) return CellRule::kLocalCoord;
    return CellRule::kUnknown;
}

DirectWriter::DirectWriter(const Workload& workload) {
    for (const WorkloadColumn& c : workload.Columns()) {
        if (!title_.empty()) title_ += ',';
        title_ += c.title;
        const CellRule cell = CellRuleOf(c.item);
        const ValueForm form = cell == CellRule::kLocalCoord ? LocalCoordValueForm(c.effType)
                                                             : ParamValueForm(c.effType);
        Column col{cell, ItemRuleOf(c.item), form, c.key, {}};
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
            if (!IsAcceptedPrcsType(type)) {
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
    switch (col.cell) {
        case CellRule::kEmpty:
            return 0;
        case CellRule::kPrcsName: {
            char name[kQdgmNameSize] = {};
            if (QdgmRetIdnamLN(&prcs, name) < 0) return -1;
            AppendQuotedText(Bounded(name, sizeof name), out);
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
            AppendToolCheckText(Workload::ToolSetForm(), Bounded(text, sizeof text), scratch_, out);
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
        case CellRule::kLocalCoord:
            return LocalCoord(col, rec, out);
        case CellRule::kParam:
            break;
        case CellRule::kUnknown:
            return -1;
    }
    const int type = rec->nctyp;
    if (!ItemWrittenFor(col.rule, type)) return 0;
    int key = col.key;
    if (col.rule == ItemRule::kPitch) {
        key = PitchPrmKey(type);
    } else if (IsNoPrmKey(key)) {
        return 0;
    }
    return Param(col, key, rec, out);
}

int DirectWriter::LocalCoord(const Column& col, QdgmPrcsRec* rec, std::string& out) {
    void* value = nullptr;
    int status = 0;
    int flagKey = kLocalCoordFlagKey;
    QvlbpPrcInqPrm(&rec, &flagKey, &value, &status);
    if (status < 0) return -1;
    if (value != nullptr && *static_cast<const int*>(value) == 1) return 0;
    if (!ItemWrittenFor(col.rule, rec->nctyp)) return 0;
    value = nullptr;
    int key = col.key;
    QvlbpPrcInqPrm(&rec, &key, &value, &status);
    if (status < 0) return -1;
    Value(col, value, out);
    return 0;
}

int DirectWriter::Param(const Column& col, int key, QdgmPrcsRec* rec, std::string& out) {
    void* value = nullptr;
    int status = 0;
    QvlbpPrcInqPrm(&rec, &key, &value, &status);
    if (status != 0) return -1;
    Value(col, value, out);
    return 0;
}

void DirectWriter::Value(const Column& col, const void* value, std::string& out) const {
    if (value == nullptr) return;
    char buf[400];
    switch (col.form) {
        case ValueForm::kInt:
            out.append(buf, std::to_chars(buf, buf + sizeof buf, *static_cast<const int*>(value)).ptr);
            break;
        case ValueForm::kReal: {
            const double v = *static_cast<const double*>(value);
            if (std::isfinite(v)) {
                out.append(buf, std::to_chars(buf, buf + sizeof buf, v,
                                              std::chars_format::fixed, 6).ptr);
            }
            break;
        }
        case ValueForm::kText:
            if (col.rule == ItemRule::kComment) {
                AppendCommentText(static_cast<const char*>(value), out);
            } else {
                AppendQuotedText(static_cast<const char*>(value), out);
            }
            break;
        case ValueForm::kSelect:
            Select(col, value, out);
            break;
        case ValueForm::kNone:
            break;
    }
}

void DirectWriter::Select(const Column& col, const void* value, std::string& out) const {
    if (value == nullptr) return;
    const int v = *static_cast<const int*>(value);
    const auto it = std::lower_bound(col.choices.begin(), col.choices.end(), v,
                                     [](const auto& c, int x) { return c.first < x; });
    if (it != col.choices.end() && it->first == v) out += it->second;
}
