#include "Workload.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

#include <nlohmann/json.hpp>

#include "AcceptedPrcsType.h"
#include "CnvTblFiles.h"
#include "ExamineTables.h"
#include "ItemRules.h"
#include "ValueTypes.h"

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

namespace {

// splitmix64: small, fast and the same everywhere.
class Rng {
 public:
    explicit Rng(uint64_t seed) : state_(seed) {}
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 <= result < n.
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }
    bool Percent(int p) { return Below(100) < p; }

 private:
    uint64_t state_;
};

// The keyword of a value-type or sub-type code; "" for 0 (none).
std::string Keyword(int code) {
    const ValueType* const type = ValueTypeOfCode(code);
    return type != nullptr ? std::string(type->keyword) : std::string();
}

template <typename T, std::size_t N>
const T& Pick(Rng& rng, const T (&items)[N]) {
    return items[rng.Below(static_cast<int>(N))];
}

template <typename T>
const T& Pick(Rng& rng, const std::vector<T>& items) {
    return items[rng.Below(static_cast<int>(items.size()))];
}

// Buffered output to a file; Ok() is false once a write failed.
class Out {
 public:
    explicit Out(const fs::path& path) : file_(std::fopen(path.string().c_str(), "wb")) {
        buf_.reserve(kChunk + 4096);
    }
    ~Out() { Close(); }
    Out& operator<<(const std::string& s) { return Put(s.data(), s.size()); }
    Out& operator<<(const char* s) { return Put(s, std::char_traits<char>::length(s)); }
    Out& operator<<(char c) { return Put(&c, 1); }
    Out& operator<<(int v) { return *this << std::to_string(v); }
    bool Close() {
        if (file_ == nullptr) return false;
        Flush();
        ok_ = std::fclose(file_) == 0 && ok_;
        file_ = nullptr;
        return ok_;
    }

 private:
    static constexpr std::size_t kChunk = 1 << 20;
    Out& Put(const char* s, std::size_t n) {
        buf_.append(s, n);
        if (buf_.size() >= kChunk) Flush();
        return *this;
    }
    void Flush() {
        if (file_ != nullptr && !buf_.empty()) {
            ok_ = std::fwrite(buf_.data(), 1, buf_.size(), file_) == buf_.size() && ok_;
        }
        buf_.clear();
    }
    std::FILE* file_;
    std::string buf_;
    bool ok_ = true;
};

// A real with three decimals (a double, so that the model file gives it as
// one).
double Real(Rng& rng, int range) {
    const int thousandths = rng.Below(range * 1000);
    const bool negative = rng.Percent(5);
    // One correctly rounded division: the double nearest the decimal.
    const double value = thousandths / 1000.0;
    return negative ? -value : value;
}

// A root-relative path of the library's ("\\MIRVANE\\...") below root.
fs::path BelowRoot(const std::string& root, std::string_view path) {
    fs::path native(root);
    for (std::size_t start = 0; start < path.size();) {
        const std::size_t end = std::min(path.find('\\', start), path.size());
        if (end > start) native /= std::string(path.substr(start, end - start));
        start = end + 1;
    }
    return native;
}

// The process types an export accepts, in ascending order (every one
// lies below 10000).
const std::vector<int>& AcceptedTypes() {
    static const std::vector<int> types = [] {
        std::vector<int> t;
        for (int code = 1; code < 10000; ++code) {
            if (IsAcceptedPrcsType(code)) t.push_back(code);
        }
        return t;
    }();
    return types;
}

// The key the export asks for and the effective value type code of a
// column, as the library builds its column table.
void KeyAndType(WorkloadColumn* c) {
    const ColumnKeyAndType taken = BuildColumnKeyAndType(c->item, c->tableKey, c->valType, c->subType);
    c->key = taken.key;
    c->effType = taken.valType;
}

const char* const kTexts[] = {
    "Roughing pass",        "Finish, climb",        "Leave 0.2 \"stock\"",
    "  padded text  ",      "",                     "Check clamp side",
    "Deburr all edges",     "Use \"soft\" jaws, 2 mm", "Spot face",
    "Datum A, B and C",     "   ",                  "Coolant on",
};
const char* const kProcessNames[] = {
    "Face top",        " Rough pocket P",   "Finish pocket P",   "Profile outside",
    "\"Slot\" key, S", "Spot drill",        "  Drill M8 ",       "Tap M8x1.25",
    "Chamfer 0.5x45",  "Thread mill, M30 ", "Engrave part no.", "   ",
};
const char* const kMacros[] = {"O9001 WARMUP", "O9000 SAFE", " O8100 PROBE ", "O7000 \"TC\""};
const char* const kComments[] = {
    "Leave 0.2 on the clamp side, check \"tab\" positions",
    "Measure \"bore\" after pass 2",
    "Plain comment",
    "Reduce feed, thin wall",
};
const char* const kToolKinds[] = {"EM", "FM", "DR", "TP", "BM", "CH", "TM", "RM"};
const char* const kToolWords[] = {"End mill", "Face mill", "Drill", "Tap",
                                  "Ball mill", "Chamfer mill", "Thread mill", "Reamer"};

}  // namespace

Workload::Workload(const WorkloadSize& size) : size_(size) {
    BuildColumns();
    for (int i = 0; i < 200; ++i) {
        const int kind = i % 8;
        std::string name = kToolKinds[kind] + std::to_string(4 + i / 8) + "-" +
                           std::to_string(2 + i % 5) + "F";
        if (i % 23 == 5) name += "-LONGREACH-80MM";  // longer than the text lookup takes
        tools_.push_back(name);
    }
}

void Workload::AddChoices(WorkloadColumn* col, int count, int firstValue, int step) {
    for (int j = 0; j < count; ++j) {
        std::string text = "Choice " + std::to_string(j + 1);
        if (j % 97 == 3) text += ", wide";
        col->choices.emplace_back(text, firstValue + j * step);
    }
}

void Workload::BuildColumns() {
    // The shop's standard columns: every item with a dedicated converter
    // or a rule of its own, items that are always empty, and plain
    // parameters.
    struct Fixed {
        std::string_view item;
        const char* title;
        int tableKey;
        int valType;
        int subType;
    };
    static const Fixed kFixed[] = {
        {"processType", "Process type", 12, kValTypeSelect, 0},
        {kItemPrcsName, "Process name", 0, kValTypeString, 0},
        {kItemPlanName, "Plan name", 0, kValTypeString, 0},
        {"planFolder", "Plan folder", 0, kValTypeString, 0},
        {"processCheck", "Process check", 0, kValTypeString, 0},
        {kItemToolType, "Tool type", 0, kValTypeSelect, 0},
        {"toolType2", "Tool type 2", 0, kValTypeSelect, 0},
        {kItemToolCheck, "Tool", 0, kValTypeString, 0},
        {"toolCheck2", "Tool 2", 0, kValTypeString, 0},
        {kItemToolGroup, "Candidate tools", 0, kValTypeString, 0},
        {"ttlKTOOLNO", "Tool no.", 1101, kValTypeSelect, kSubTypeInteger},
        {"ttlKSPINDLE", "Spindle speed (rpm)", 1201, kValTypeReal, kSubTypeInteger},
        {"ttlKFEEDRATE", "Feed rate (mm/min)", 1202, kValTypeReal, 0},
        {"ttlKCOOLANT", "Coolant", 1208, kValTypeSelect, 0},
        {kItemPitch, "Pitch (mm)", 0, kValTypeReal, 0},
        {kItemMacro, "Cycle macro", 1401, kValTypeMacroName, 0},
        {kItemMacroAlt, "Macro", 1402, kValTypeMacroName, 0},
        {kItemScanAngle, "Scan angle", 0, kValTypeSelect, 0},
        {kItemLocalAxis, "Local axis", 1325, kValTypeSelect, 0},
        {kItemLocalHeight, "Local height (mm)", 1326, kValTypeReal, 0},
        {"ttlKPANGLE", "Tilt angle (deg)", 1327, kValTypeReal, 0},
        {"ttlKPRCGRP", "Process group", 1403, kValTypeGroupName, 0},
        {kItemComment, "Comment", 1410, kValTypeString, 0},
        {"comment", "Note", 0, kValTypeString, 0},
        {"ttlKCYCLETM", "Cycle time (min)", 1411, kValTypeString, kSubTypeReal},
    };
    auto add = [&](std::string_view item, const std::string& title, int tableKey, int valType,
                   int subType) {
        WorkloadColumn c;
        c.item = item;
        c.title = title;
        c.tableKey = tableKey;
        c.valType = Keyword(valType);
        c.subType = Keyword(subType);
        KeyAndType(&c);
        columns_.push_back(std::move(c));
        return &columns_.back();
    };

    const int total = std::max(size_.columns, 1);
    const int fixedCount = std::min<int>(total, static_cast<int>(std::size(kFixed)) + 10);
    int fixedChoices = 0;
    for (int i = 0; i < fixedCount; ++i) {
        if (i < static_cast<int>(std::size(kFixed))) {
            const Fixed& f = kFixed[i];
            WorkloadColumn* c = add(f.item, f.title, f.tableKey, f.valType, f.subType);
            const std::string_view item = f.item;
            if (item == "processType") {
                for (int t : AcceptedTypes()) {
                    c->choices.emplace_back("Type " + std::to_string(t), t);
                }
            } else if (item == kItemToolType) {
                for (int t = 1; t <= 60; ++t) {
                    c->choices.emplace_back(kToolWords[t % 8] + std::string(" ") +
                                                std::to_string(t), t);
                }
            } else if (item == "ttlKCOOLANT") {
                const char* names[] = {"Off", "Flood", "Mist", "Through spindle, 70 bar",
                                       "Air blast"};
                for (int v = 0; v < 5; ++v) c->choices.emplace_back(names[v], v);
            } else if (item == kItemScanAngle) {
                c->choices = {{"Automatic", 0}, {"By feature", 1}, {"Fixed", 2}};
            } else if (item == kItemLocalAxis) {
                const char* axes[] = {"+X", "-X", "+Y", "-Y", "+Z", "-Z"};
                for (int v = 0; v < 6; ++v) c->choices.emplace_back(axes[v], v + 1);
            }
            fixedChoices += static_cast<int>(c->choices.size());
        } else {
            const int u = i - static_cast<int>(std::size(kFixed)) + 1;
            add("ttlKPUSRDEF" + std::to_string(u), "User field " + std::to_string(u), 0,
                kValTypeString, 0);
        }
    }

    // Generic columns: about 13% selections (39 of 300 columns together
    // with the standard ones), the rest by a fixed mix.
    const int generic = total - fixedCount;
    const int wantSelects = std::max(0, (total * 39 + 150) / 300 - 6);
    const int selects = std::min(generic, wantSelects);
    const int perSelect =
        selects > 0 ? std::max(1, (size_.choices - fixedChoices) / selects) : 0;
    int extra = selects > 0 ? std::max(0, size_.choices - fixedChoices - perSelect * selects) : 0;
    struct Kind {
        int valType;
        int subType;
    };
    constexpr int kR = kValTypeReal;
    constexpr int kS = kValTypeString;
    constexpr int kInt = kSubTypeInteger;
    static const Kind kMix[20] = {
        {kR, 0},    {kR, 0},                {kR, kInt}, {kS, 0},
        {kR, 0},    {kR, 0},                {kR, 0},    {kS, 0},
        {kR, kInt}, {kR, 0},                {kR, 0},    {kS, kSubTypeReal},
        {kR, 0},    {kValTypeSelect, kInt}, {kS, 0},    {kR, 0},
        {kR, 0},    {kR, 0},                {kR, kInt}, {kS, 0},
    };
    int other = 0;
    for (int g = 0; g < generic; ++g) {
        char item[32];
        char title[48];
        std::snprintf(item, sizeof item, "ttlKG%04d", g);
        const bool isSelect = selects > 0 && (g + 1) * selects / generic > g * selects / generic;
        if (isSelect) {
            std::snprintf(title, sizeof title, "Setting %04d", g);
            WorkloadColumn* c = add(item, title, 2000 + g, kValTypeSelect, 0);
            const int n = perSelect + (extra > 0 ? 1 : 0);
            if (extra > 0) --extra;
            AddChoices(c, n, 1, 1);
            continue;
        }
        const Kind& k = kMix[other % 20];
        std::snprintf(title, sizeof title, "Value %04d (mm)", g);
        WorkloadColumn* c = add(item, title, 2000 + g, k.valType, k.subType);
        if (other % 40 == 19) c->tableKey = kNoPrmKeyAlt;  // never asked
        if (other % 40 == 39) c->valType = Keyword(kValTypeGroupName);  // no text form
        KeyAndType(c);
        if (other % 25 == 16) c->inModel = false;  // the host has no such value
        ++other;
    }
    // The last columns come from the user option file.
    const int options = std::min(generic, total / 30);
    for (int i = 0; i < options; ++i) columns_[columns_.size() - 1 - i].option = true;
}

bool Workload::WriteTables(const std::string& root) const {
    std::error_code ec;
    std::vector<std::unique_ptr<Out>> table;
    for (const CnvTblFile& file : kCnvTblFiles) {
        const fs::path path = BelowRoot(root, file.path);
        fs::create_directories(path.parent_path(), ec);
        table.push_back(std::make_unique<Out>(path));
    }
    const fs::path optionPath = BelowRoot(root, kOptionFilePath);
    fs::create_directories(optionPath.parent_path(), ec);

    int choiceCount = 0;
    for (const WorkloadColumn& c : columns_) choiceCount += static_cast<int>(c.choices.size());
    const int spare =
        std::max(0, size_.exteriorRows - 1 - static_cast<int>(columns_.size()) - choiceCount);

    Out& ex = *table[kExteriorTableFile];
    Out& ppt = *table[kProcessParametersTableFile];
    Out& pst = *table[kParameterSettingTableFile];
    Out& sti = *table[kSelectionToIntTableFile];
    Out& plan = *table[kPlanCSVTableFile];
    Out& var = *table[kVariableTableFile];
    Out opt(optionPath);

    ex << "External name\tInternal name\n";
    ppt << "Item\tParameter key\tPriority\n";
    pst << "Item\tValue type\tBlank\tRepeat\tSub type\n";
    sti << "Choice\tValue\n";
    int n = 0;
    for (const WorkloadColumn& c : columns_) {
        ++n;
        ex << c.title << '\t' << c.item << '\n';
        ppt << c.item << '\t' << c.tableKey << '\t' << n << '\n';
        pst << c.item << '\t' << c.valType << '\t' << (n % 3 == 0 ? "o" : "") << '\t'
            << (n % 7 == 0 ? "o" : "") << '\t' << c.subType << '\n';
        if (!c.option) plan << n << '\t' << c.item << '\n';
    }
    const std::string spareType = Keyword(kValTypeReal);
    for (int i = 0; i < spare; ++i) {
        char item[32];
        std::snprintf(item, sizeof item, "ttlKSPARE%05d", i);
        ex << "Spare item " << i << '\t' << item << '\n';
        ppt << item << '\t' << (5000 + i) << '\t' << (n + i) << '\n';
        pst << item << '\t' << spareType << "\t\t\t\n";
    }
    int col = 0;
    for (const WorkloadColumn& c : columns_) {
        int j = 0;
        for (const auto& choice : c.choices) {
            const std::string name = "s" + std::to_string(col) + "_" + std::to_string(j++);
            ex << c.title << ':' << choice.first << '\t' << name << '\n';
            sti << name << '\t' << choice.second << '\n';
        }
        ++col;
    }
    var << "Text\tDescription\tVariable\n"
        << ToolSetForm() << "\tForm of the tool-set reference\takw_tls_nm\n"
        << "VMC\tDefault machine group\takw_mc_grp\n";
    opt << "# Extra columns, one title a line; \"#\" starts a comment.\n";
    for (const WorkloadColumn& c : columns_) {
        if (c.option) opt << c.title << "    # option column\n";
    }
    opt << "Coolant\n\n# Not a title of ExteriorTable.\nSurface finish (Ra)\n";
    bool ok = true;
    for (const std::unique_ptr<Out>& o : table) ok = o->Close() && ok;
    ok = opt.Close() && ok;
    return ok;
}

bool Workload::WriteModel(const std::string& path, int plans) const {
    // One plan at a time, so that the model is never whole in memory.
    Out out{fs::path(path)};
    const int planCount = plans < 0 ? size_.plans : std::min(plans, size_.plans);
    out << "{\"plans\": [\n";
    for (int p = 0; p < planCount; ++p) {
        Rng planRng(0x51ED0000ull + static_cast<uint64_t>(p));
        Json plan = {{"id", {p + 1, 0, 0, 1}},
                     {"name", "Part P-" + std::to_string(1000 + p) + (p % 7 == 3 ? ", rev B" : "") + " OP10"},
                     {"machine", {{"names", {"VMC-" + std::to_string(p % 4), "Controller M-30"}}}},
                     {"processes", Json::array()}};
        Json& processes = plan["processes"];
        for (int k = 0; k < size_.processes; ++k) {
            Rng rng(planRng.Next());
            const int type = rng.Percent(5) ? kMacroPrcsType : Pick(rng, AcceptedTypes());
            Json process = {{"id", {p + 1, k + 1, 0, 2}},
                            {"type", type},
                            {"name", std::string(Pick(rng, kProcessNames)) + std::to_string(k % 50)}};
            if (rng.Percent(92)) {
                const int toolType = 1 + rng.Below(64);
                const int state = rng.Percent(90) ? 1 : 0;
                process["tool"] = {{"type", toolType},
                                   {"state", state},
                                   {"name", tools_[rng.Below(static_cast<int>(tools_.size()))]}};
            }
            const int candidates = rng.Below(6);
            if (candidates > 0) {
                Json& list = process["candidateTools"] = Json::array();
                for (int i = 0; i < candidates; ++i) {
                    const bool blank = i == 0 && rng.Percent(10);
                    list.push_back(blank ? "" : tools_[rng.Below(static_cast<int>(tools_.size()))]);
                }
            }
            Json& params = process["params"] = Json::object();
            params[std::to_string(kLocalCoordFlagKey)] = rng.Percent(20) ? 1 : 0;
            params[std::to_string(kPitchKeySetA)] = Real(rng, 4);
            params[std::to_string(kPitchKeyOther)] = Real(rng, 4);
            for (const WorkloadColumn& c : columns_) {
                if (!c.inModel || IsNoPrmKey(c.key)) continue;
                const ItemRule rule = ItemRuleOf(c.item);
                const ValueForm form = ParamValueForm(c.effType);
                Json& value = params[std::to_string(c.key)];
                if (c.item == "processType") {
                    value = type;
                } else if (rule == ItemRule::kMacro || rule == ItemRule::kMacroAlt) {
                    value = Pick(rng, kMacros);
                } else if (rule == ItemRule::kComment) {
                    value = Pick(rng, kComments);
                } else if (rng.Percent(2)) {
                    value = nullptr;
                } else if (form == ValueForm::kSelect) {
                    value = !c.choices.empty() && rng.Percent(95)
                                ? c.choices[rng.Below(static_cast<int>(c.choices.size()))].second
                                : -1;
                } else if (form == ValueForm::kInt || form == ValueForm::kNone) {
                    value = rng.Below(20000);
                } else if (form == ValueForm::kReal) {
                    value = Real(rng, c.subType == Keyword(kSubTypeReal) ? 100 : 5000);
                } else {
                    value = Pick(rng, kTexts);
                }
            }
            processes.push_back(std::move(process));
        }
        out << (p > 0 ? ",\n" : "") << plan.dump();
    }
    Json toolTexts = Json::object();
    for (std::size_t i = 0; i < tools_.size(); ++i) {
        if (i % 12 == 7) continue;  // no text: the tool column stays empty
        std::string text = kToolWords[i % 8] + std::string(" D") + std::to_string(4 + i / 8) +
                           ", " + std::to_string(2 + i % 5) + " flutes";
        if (i % 17 == 2) text = "   ";
        if (i % 19 == 4) text = "Holder \"HSK63\", " + text;
        toolTexts[tools_[i].substr(0, 15)] = text;
    }
    out << "],\n\"toolTexts\": " << toolTexts.dump() << "}\n";
    return out.Close();
}
