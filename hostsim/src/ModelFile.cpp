#include "ModelFile.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstring>
#include <initializer_list>

#include <nlohmann/json.hpp>

#include "HostCall.h"

namespace qvsim {
namespace {

using nlohmann::json;

class ModelParser {
 public:
    ModelParser(const std::string& name, Model* model, std::string* err)
        : name_(name), model_(model), err_(err) {}

    bool Root(const json& root);

 private:
    bool Fail(const std::string& place, const std::string& what) {
        *err_ = name_ + ": " + (place.empty() ? what : place + ": " + what);
        return false;
    }
    static std::string Field(const std::string& place, const std::string& key) {
        return place.empty() ? key : place + "." + key;
    }
    static std::string Item(const std::string& place, std::size_t i) {
        return place + "[" + std::to_string(i) + "]";
    }

    bool Fields(const json& obj, const std::string& place,
                std::initializer_list<const char*> known);
    bool Required(const json& obj, const std::string& place, const char* key);
    bool Int(const json& j, const std::string& place, int32_t* out);
    bool Text(const json& j, const std::string& place, std::string* out);
    bool Id(const json& j, const std::string& place, ModelId* out);
    bool Key(const std::string& key, const std::string& place, int* out);
    bool Status(const json& j, const std::string& place, int* out);
    bool Faults(const json& j, const std::string& place, unsigned allowed,
                const char* owner, unsigned* out);
    bool AddId(const ModelId& id, const std::string& place, std::ptrdiff_t ref);

    bool PlanEntry(const json& j, const std::string& place);
    bool ProcessEntry(const json& j, const std::string& place, std::size_t plan);
    bool Param(const json& j, const std::string& place, ParamValue* out);
    bool ToolTexts(const json& j, const std::string& place);
    bool Messages(const json& j, const std::string& place);

    std::size_t StoreBytes(const void* data, std::size_t size);

    const std::string& name_;
    Model* model_;
    std::string* err_;
};

bool ModelParser::Fields(const json& obj, const std::string& place,
                         std::initializer_list<const char*> known) {
    if (!obj.is_object()) return Fail(place, "expected an object");
    for (const auto& item : obj.items()) {
        bool ok = false;
        for (const char* k : known) ok = ok || item.key() == k;
        if (!ok) return Fail(Field(place, item.key()), "unknown field");
    }
    return true;
}

bool ModelParser::Required(const json& obj, const std::string& place,
                           const char* key) {
    return obj.contains(key) || Fail(Field(place, key), "missing");
}

bool ModelParser::Int(const json& j, const std::string& place, int32_t* out) {
    if (j.is_number_unsigned()) {
        const auto v = j.get<uint64_t>();
        if (v > static_cast<uint64_t>(INT32_MAX)) return Fail(place, "int out of range");
        *out = static_cast<int32_t>(v);
        return true;
    }
    if (!j.is_number_integer()) return Fail(place, "expected an int");
    const auto v = j.get<int64_t>();
    if (v < INT32_MIN || v > INT32_MAX) return Fail(place, "int out of range");
    *out = static_cast<int32_t>(v);
    return true;
}

bool ModelParser::Text(const json& j, const std::string& place, std::string* out) {
    if (!j.is_string()) return Fail(place, "expected a text");
    *out = j.get<std::string>();
    return true;
}

bool ModelParser::Id(const json& j, const std::string& place, ModelId* out) {
    if (!j.is_array() || j.size() != 4) return Fail(place, "expected four ints");
    int32_t v[4];
    for (std::size_t i = 0; i < 4; ++i) {
        if (!j[i].is_number_integer()) return Fail(place, "expected four ints");
        if (!Int(j[i], Item(place, i), &v[i])) return false;
    }
    *out = ModelId{v[0], v[1], v[2], v[3]};
    return true;
}

bool ModelParser::Key(const std::string& key, const std::string& place, int* out) {
    const char* end = key.data() + key.size();
    const auto r = std::from_chars(key.data(), end, *out);
    if (key.empty() || r.ec != std::errc() || r.ptr != end) {
        return Fail(place, "expected an int key");
    }
    return true;
}

bool ModelParser::Status(const json& j, const std::string& place, int* out) {
    if (!Fields(j, place, {"status"}) || !Required(j, place, "status")) return false;
    int32_t v = 0;
    if (!Int(j["status"], Field(place, "status"), &v)) return false;
    *out = v;
    return true;
}

bool ModelParser::Faults(const json& j, const std::string& place, unsigned allowed,
                         const char* owner, unsigned* out) {
    if (!j.is_array()) return Fail(place, "expected a list of host calls");
    for (std::size_t i = 0; i < j.size(); ++i) {
        std::string call;
        if (!Text(j[i], Item(place, i), &call)) return false;
        HostCall c;
        if (!HostCallByName(call, &c) || !HostCallCanFail(c)) {
            return Fail(Item(place, i), "unknown host call \"" + call + "\"");
        }
        if ((allowed & HostCallBit(c)) == 0) {
            return Fail(Item(place, i), "\"" + call + "\" cannot fail for a " + owner);
        }
        *out |= HostCallBit(c);
    }
    return true;
}

bool ModelParser::AddId(const ModelId& id, const std::string& place, std::ptrdiff_t ref) {
    if (!model_->index.emplace(IdKey(id), ref).second) {
        return Fail(place, "duplicate id " + std::to_string(id.objid) + " " +
                               std::to_string(id.aplsec) + " " + std::to_string(id.insid) +
                               " " + std::to_string(id.entid));
    }
    return true;
}

std::size_t ModelParser::StoreBytes(const void* data, std::size_t size) {
    const std::size_t slot = model_->values.size();
    const std::size_t slots = size / 8 + 1;  // room for a NUL, at least 8 bytes
    model_->values.resize(slot + slots, 0);
    std::memcpy(&model_->values[slot], data, size);
    return slot;
}

bool ModelParser::Param(const json& j, const std::string& place, ParamValue* out) {
    using Kind = ParamValue::Kind;
    if (j.is_null()) return true;
    if (j.is_object()) return Status(j, place, &out->status);
    if (j.is_number_integer()) {
        int32_t v = 0;
        if (!Int(j, place, &v)) return false;
        out->kind = Kind::kInt;
        out->slot = StoreBytes(&v, sizeof v);
        return true;
    }
    if (j.is_number_float()) {
        const double v = j.get<double>();
        out->kind = Kind::kDouble;
        const std::size_t slot = model_->values.size();
        model_->values.push_back(0);
        std::memcpy(&model_->values[slot], &v, sizeof v);
        out->slot = slot;
        return true;
    }
    if (j.is_string()) {
        const std::string& v = j.get_ref<const std::string&>();
        out->kind = Kind::kText;
        out->slot = StoreBytes(v.data(), v.size());
        return true;
    }
    return Fail(place, "expected an int, a number, a text, null or {\"status\": N}");
}

bool ModelParser::ProcessEntry(const json& j, const std::string& place, std::size_t plan) {
    if (!Fields(j, place, {"id", "type", "name", "tool", "candidateTools", "params", "faults"}) ||
        !Required(j, place, "id") || !Required(j, place, "type")) {
        return false;
    }
    Process p;
    p.plan = plan;
    if (!Id(j["id"], Field(place, "id"), &p.id) ||
        !Int(j["type"], Field(place, "type"), &p.type)) {
        return false;
    }
    if (j.contains("name") && !Text(j["name"], Field(place, "name"), &p.name)) return false;
    if (j.contains("tool") && !j["tool"].is_null()) {
        const json& t = j["tool"];
        const std::string tp = Field(place, "tool");
        if (!Fields(t, tp, {"type", "state", "name"}) || !Required(t, tp, "type") ||
            !Required(t, tp, "state") || !Required(t, tp, "name") ||
            !Int(t["type"], Field(tp, "type"), &p.tool.type) ||
            !Int(t["state"], Field(tp, "state"), &p.tool.state) ||
            !Text(t["name"], Field(tp, "name"), &p.tool.name)) {
            return false;
        }
        if (p.tool.name.size() > 63) {
            return Fail(Field(tp, "name"), "longer than 63 bytes");
        }
        p.hasTool = true;
    }
    if (j.contains("candidateTools")) {
        const json& c = j["candidateTools"];
        const std::string cp = Field(place, "candidateTools");
        if (!c.is_array()) return Fail(cp, "expected a list of texts");
        if (c.size() > p.candidateTools.size()) return Fail(cp, "more than 5 tools");
        for (std::size_t i = 0; i < c.size(); ++i) {
            if (!Text(c[i], Item(cp, i), &p.candidateTools[i])) return false;
        }
    }
    if (j.contains("params")) {
        const json& params = j["params"];
        const std::string pp = Field(place, "params");
        if (!params.is_object()) return Fail(pp, "expected an object");
        for (const auto& item : params.items()) {
            const std::string ip = Field(pp, item.key());
            int key = 0;
            ParamValue v;
            if (!Key(item.key(), ip, &key) || !Param(item.value(), ip, &v)) return false;
            p.params[key] = v;
        }
    }
    if (j.contains("faults")) {
        const unsigned allowed =
            HostCallBit(HostCall::kQdgmInqNctyp) | HostCallBit(HostCall::kQdgmGetPrcs) |
            HostCallBit(HostCall::kQdgmRetIdnamLN) | HostCallBit(HostCall::kQdgmRetLstRM) |
            HostCallBit(HostCall::kQvlbpPrcInqPrm);
        if (!Faults(j["faults"], Field(place, "faults"), allowed, "process", &p.faults)) {
            return false;
        }
    }
    const std::size_t index = model_->processes.size();
    if (!AddId(p.id, Field(place, "id"), ~static_cast<std::ptrdiff_t>(index))) return false;
    model_->processes.push_back(std::move(p));
    model_->plans[plan].processes.push_back(index);
    return true;
}

bool ModelParser::PlanEntry(const json& j, const std::string& place) {
    if (!Fields(j, place, {"id", "name", "machine", "processes", "faults"}) ||
        !Required(j, place, "id")) {
        return false;
    }
    Plan plan;
    if (!Id(j["id"], Field(place, "id"), &plan.id)) return false;
    if (j.contains("name") && !Text(j["name"], Field(place, "name"), &plan.name)) return false;
    if (j.contains("machine")) {
        const json& m = j["machine"];
        const std::string mp = Field(place, "machine");
        if (!Fields(m, mp, {"names"}) || !Required(m, mp, "names")) return false;
        const json& names = m["names"];
        const std::string np = Field(mp, "names");
        if (!names.is_array() || names.size() != 2) return Fail(np, "expected two texts");
        if (!Text(names[0], Item(np, 0), &plan.machine1) ||
            !Text(names[1], Item(np, 1), &plan.machine2)) {
            return false;
        }
        plan.hasMachine = true;
    }
    if (j.contains("faults")) {
        const unsigned allowed =
            HostCallBit(HostCall::kQdgmRetLstRO) | HostCallBit(HostCall::kQdgmRetIdnamLN);
        if (!Faults(j["faults"], Field(place, "faults"), allowed, "plan", &plan.faults)) {
            return false;
        }
    }
    const std::size_t index = model_->plans.size();
    if (!AddId(plan.id, Field(place, "id"), static_cast<std::ptrdiff_t>(index))) return false;
    plan.hasProcesses = j.contains("processes") && !j["processes"].is_null();
    model_->plans.push_back(std::move(plan));
    if (!model_->plans.back().hasProcesses) return true;
    const json& list = j["processes"];
    const std::string lp = Field(place, "processes");
    if (!list.is_array()) return Fail(lp, "expected a list of processes or null");
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!ProcessEntry(list[i], Item(lp, i), index)) return false;
    }
    return true;
}

bool ModelParser::ToolTexts(const json& j, const std::string& place) {
    if (!j.is_object()) return Fail(place, "expected an object");
    for (const auto& item : j.items()) {
        const std::string ip = Field(place, item.key());
        ToolText t;
        if (item.value().is_string()) {
            t.hasText = true;
            t.text = item.value().get<std::string>();
        } else if (!item.value().is_object()) {
            return Fail(ip, "expected a text or {\"status\": N}");
        } else if (!Status(item.value(), ip, &t.status)) {
            return false;
        }
        model_->toolTexts[item.key()] = std::move(t);
    }
    return true;
}

bool ModelParser::Messages(const json& j, const std::string& place) {
    if (!j.is_object()) return Fail(place, "expected an object");
    for (const auto& item : j.items()) {
        const std::string ip = Field(place, item.key());
        int number = 0;
        std::string text;
        if (!Key(item.key(), ip, &number) || !Text(item.value(), ip, &text)) return false;
        model_->messages[number] = std::move(text);
    }
    return true;
}

bool ModelParser::Root(const json& root) {
    if (!Fields(root, "", {"plans", "toolTexts", "messages"}) || !Required(root, "", "plans")) {
        return false;
    }
    const json& plans = root["plans"];
    if (!plans.is_array()) return Fail("plans", "expected a list of plans");
    for (std::size_t i = 0; i < plans.size(); ++i) {
        if (!PlanEntry(plans[i], Item("plans", i))) return false;
    }
    if (root.contains("toolTexts") && !ToolTexts(root["toolTexts"], "toolTexts")) return false;
    if (root.contains("messages") && !Messages(root["messages"], "messages")) return false;
    return true;
}

// Finds where the parser gives up on a text: a pass that builds nothing and
// notes the offset of the token it stopped at.
class ErrorPlace : public json::json_sax_t {
 public:
    // "line L, column C" of the token the parser stops at in text.
    static std::string Of(std::string_view text) {
        ErrorPlace place;
        json::sax_parse(text.begin(), text.end(), &place);
        const std::size_t offset = place.offset_ < text.size() ? place.offset_ : text.size();
        const std::string_view before = text.substr(0, offset);
        const std::size_t lineStart = before.rfind('\n') + 1;  // npos + 1 == 0
        const auto line = std::count(before.begin(), before.end(), '\n') + 1;
        return "line " + std::to_string(line) + ", column " +
               std::to_string(offset - lineStart + 1);
    }

    bool null() override { return true; }
    bool boolean(bool) override { return true; }
    bool number_integer(json::number_integer_t) override { return true; }
    bool number_unsigned(json::number_unsigned_t) override { return true; }
    bool number_float(json::number_float_t, const std::string&) override { return true; }
    bool string(std::string&) override { return true; }
    bool binary(json::binary_t&) override { return true; }
    bool start_object(std::size_t) override { return true; }
    bool key(std::string&) override { return true; }
    bool end_object() override { return true; }
    bool start_array(std::size_t) override { return true; }
    bool end_array() override { return true; }
    bool parse_error(std::size_t position, const std::string& token,
                     const json::exception&) override {
        offset_ = position >= token.size() ? position - token.size() : 0;
        return false;
    }

 private:
    std::size_t offset_ = 0;
};

// The text of a parser exception without its tag ("[json.exception...] ").
std::string WithoutTag(const json::exception& e) {
    std::string what = e.what();
    const std::size_t tag = what.find("] ");
    if (what.rfind("[json.exception", 0) == 0 && tag != std::string::npos) {
        what.erase(0, tag + 2);
    }
    return what;
}

}  // namespace

int ParseModel(std::string_view text, const std::string& name, Model* model,
               std::string* err) {
    json root;
    // The parser reports a malformed file only by exception; it is caught
    // here and goes no further. A syntax error's message carries its line
    // and column ("parse error at line 2, column 5: ..."); any other (a
    // number too large for a double) is placed by a second pass.
    try {
        root = json::parse(text.begin(), text.end());
    } catch (const json::parse_error& e) {
        *err = name + ": not JSON: " + WithoutTag(e);
        return -1;
    } catch (const json::exception& e) {
        *err = name + ": " + ErrorPlace::Of(text) + ": " + WithoutTag(e);
        return -1;
    }
    *model = Model();
    ModelParser parser(name, model, err);
    return parser.Root(root) ? 0 : -1;
}

}  // namespace qvsim
