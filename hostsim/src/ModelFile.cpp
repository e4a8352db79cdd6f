#include "ModelFile.h"

#include <charconv>
#include <memory>
#include <climits>
#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "HostCall.h"
#include "TextEncoding.h"

namespace qvsim {
namespace {

using Type = JsonReader::Type;
using Number = JsonReader::Number;

// The place of a value in the file as a message names it
// ("plans[0].processes[2].params.1301"); composed only for a message.
struct Place {
    const Place* parent = nullptr;
    std::string_view field;  // member name; empty for an element
    long index = -1;         // element index

    Place Member(std::string_view name) const { return Place{this, name, -1}; }
    Place Element(std::size_t i) const { return Place{this, {}, static_cast<long>(i)}; }
    std::string Text() const {
        std::string text = parent != nullptr ? parent->Text() : std::string();
        if (index >= 0) return text + "[" + std::to_string(index) + "]";
        if (field.empty()) return text;
        return text.empty() ? std::string(field) : text + "." + std::string(field);
    }
};

// Index of name among names, or -1.
template <std::size_t N>
int FieldIndex(std::string_view name, const char* const (&names)[N]) {
    for (std::size_t i = 0; i < N; ++i) {
        if (name == names[i]) return static_cast<int>(i);
    }
    return -1;
}

constexpr const char* kRootFields[] = {"plans", "toolTexts", "messages", "encoding"};
constexpr const char* kPlanFields[] = {"id", "name", "machine", "processes", "faults"};
constexpr const char* kProcessFields[] = {"id", "type", "name", "tool", "candidateTools",
                                          "params", "faults"};
constexpr const char* kToolFields[] = {"type", "state", "name"};
constexpr const char* kMachineFields[] = {"names"};
constexpr const char* kStatusFields[] = {"status"};

class ModelLoader {
 public:
    ModelLoader(JsonReader& in, const std::string& name, Model* model, std::string* err)
        : in_(in), name_(name), model_(model), err_(err) {}

    bool Root();

 private:
    bool Fail(const Place& place, const std::string& what) {
        const std::string where = place.Text();
        *err_ = name_ + ": " + (where.empty() ? what : where + ": " + what);
        return false;
    }
    bool Syntax() {
        *err_ = name_ + ": not JSON: " + in_.Error();
        return false;
    }
    // A value of the wrong type: it is read over first, so that a syntax
    // error inside it is what the message names.
    bool Wrong(const Place& place, const std::string& what) {
        return in_.SkipValue() ? Fail(place, what) : Syntax();
    }
    // Peeks at the next value; a value of another type than want is Wrong.
    bool Expect(const Place& place, Type want, const char* what) {
        Type type;
        if (!in_.Peek(&type)) return Syntax();
        return type == want || Wrong(place, what);
    }
    // Runs member(name, index among names) for every member of the object
    // just begun; an unknown or repeated name ends it. *seen: a bit per
    // name.
    template <std::size_t N, typename F>
    bool Fields(const Place& place, const char* const (&names)[N], unsigned* seen, F&& member) {
        std::string_view key;
        for (;;) {
            const int r = in_.NextMember(&key);
            if (r < 0) return Syntax();
            if (r == 0) return true;
            const int f = FieldIndex(key, names);
            if (f < 0) return Fail(place.Member(key), "unknown field");
            if ((*seen & (1u << f)) != 0) return Fail(place.Member(key), "duplicate field");
            *seen |= 1u << f;
            if (!member(f)) return false;
        }
    }
    // Runs entry(place of the member) for every member of the object at
    // place, whose name is then in key_.
    template <typename F>
    bool Entries(const Place& place, F&& entry) {
        if (!Expect(place, Type::kObject, "expected an object")) return false;
        in_.BeginObject();
        std::string_view key;
        for (;;) {
            const int r = in_.NextMember(&key);
            if (r < 0) return Syntax();
            if (r == 0) return true;
            key_.assign(key.data(), key.size());
            if (!entry(place.Member(key_))) return false;
        }
    }
    bool Required(const Place& place, unsigned seen, int field, const char* name) {
        return (seen & (1u << field)) != 0 || Fail(place.Member(name), "missing");
    }

    bool IntValue(const Place& place, const Number& n, int32_t* out);
    bool Int(const Place& place, int32_t* out);
    bool Text(const Place& place, std::string* out);
    // text in the host's code page into *out (as it stands without one).
    bool Host(const Place& place, std::string_view text, std::string* out);
    bool Encoding(const Place& place);
    bool Id(const Place& place, ModelId* out);
    bool Key(std::string_view key, const Place& place, int* out);
    bool Status(const Place& place, int* out);
    bool Faults(const Place& place, unsigned allowed, const char* owner, unsigned* out);
    bool AddId(const ModelId& id, const Place& place, std::ptrdiff_t ref);

    bool PlanEntry(const Place& place, std::size_t index);
    bool Machine(const Place& place, Plan* plan);
    bool ProcessEntry(const Place& place, std::size_t plan);
    bool Tool(const Place& place, Process* p);
    bool TextList(const Place& place, const char* what, std::string* out, std::size_t keep,
                  std::size_t* count, std::size_t* notText);
    bool CandidateTools(const Place& place, Process* p);
    bool Params(const Place& place, Process* p);
    bool Param(const Place& params, std::string_view key, ParamValue* out);
    bool ToolTexts(const Place& place);
    bool Messages(const Place& place);

    // Copies size bytes into `slots` new zeroed 8-byte value slots.
    bool Store(const Place& place, const void* data, std::size_t size, std::size_t slots,
               uint32_t* slot);
    bool SharedKeys(uint32_t* index, std::size_t* duplicate);

    JsonReader& in_;
    const std::string& name_;
    Model* model_;
    std::string* err_;
    std::string key_;                 // a member name that outlives the next read
    std::vector<int32_t> keys_;       // keys of the process being read
    uint32_t lastKeys_ = 0;           // keys of the process before
    std::unordered_multimap<uint64_t, uint32_t> keysByHash_;
    std::unique_ptr<TextEncoding> codePage_;  // null: texts stay as they are
    std::string hostText_;                    // a text in the code page
};

bool ModelLoader::IntValue(const Place& place, const Number& n, int32_t* out) {
    if (n.kind == Number::kDouble) return Fail(place, n.integral ? "int out of range" : "expected an int");
    if (n.kind == Number::kUint ? n.u > static_cast<uint64_t>(INT32_MAX)
                                : n.i < INT32_MIN || n.i > INT32_MAX) {
        return Fail(place, "int out of range");
    }
    *out = static_cast<int32_t>(n.kind == Number::kUint ? static_cast<int64_t>(n.u) : n.i);
    return true;
}

bool ModelLoader::Int(const Place& place, int32_t* out) {
    if (!Expect(place, Type::kNumber, "expected an int")) return false;
    Number n;
    return in_.ReadNumber(&n) ? IntValue(place, n, out) : Syntax();
}

bool ModelLoader::Text(const Place& place, std::string* out) {
    if (!Expect(place, Type::kString, "expected a text")) return false;
    std::string_view text;
    if (!in_.ReadString(&text)) return Syntax();
    return Host(place, text, out);
}

bool ModelLoader::Host(const Place& place, std::string_view text, std::string* out) {
    // The host's texts end at their first NUL: one inside would cut the
    // text short wherever it is read.
    if (std::memchr(text.data(), '\0', text.size()) != nullptr) return Fail(place, "a NUL character inside the text");
    if (codePage_ == nullptr) {
        out->assign(text.data(), text.size());
        return true;
    }
    return codePage_->FromUtf8(text, out) ||
           Fail(place, "a character that code page " + codePage_->Name() + " has not");
}

bool ModelLoader::Encoding(const Place& place) {
    if (!Text(place, &model_->encoding)) return false;
    std::string error;
    codePage_ = TextEncoding::Open(model_->encoding, &error);
    return codePage_ != nullptr || Fail(place, error);
}

bool ModelLoader::Id(const Place& place, ModelId* out) {
    if (!Expect(place, Type::kArray, "expected four ints")) return false;
    in_.BeginArray();
    Number v[4];
    bool integral[4] = {};
    std::size_t count = 0;
    for (;;) {
        const int r = in_.NextElement();
        if (r < 0) return Syntax();
        if (r == 0) break;
        Type type;
        if (!in_.Peek(&type)) return Syntax();
        if (count < 4 && type == Type::kNumber) {
            if (!in_.ReadNumber(&v[count])) return Syntax();
            integral[count] = v[count].kind != Number::kDouble || v[count].integral;
        } else if (!in_.SkipValue()) {
            return Syntax();
        }
        ++count;
    }
    int32_t ints[4];
    for (std::size_t i = 0; i < 4; ++i) {
        if (count != 4 || !integral[i]) return Fail(place, "expected four ints");
        if (!IntValue(place.Element(i), v[i], &ints[i])) return false;
    }
    *out = ModelId{ints[0], ints[1], ints[2], ints[3]};
    return true;
}

bool ModelLoader::Key(std::string_view key, const Place& place, int* out) {
    // Up to nine digits, as nearly every key is: no overflow possible.
    if (!key.empty() && key.size() <= 9 && key[0] != '-') {
        int value = 0;
        std::size_t i = 0;
        while (i < key.size() && key[i] >= '0' && key[i] <= '9') value = value * 10 + (key[i++] - '0');
        if (i == key.size()) {
            *out = value;
            return true;
        }
    }
    const char* end = key.data() + key.size();
    const std::from_chars_result r = std::from_chars(key.data(), end, *out);
    if (key.empty() || r.ec != std::errc() || r.ptr != end) {
        return Fail(place, "expected an int key");
    }
    return true;
}

// REQUIRES: the object was begun.
bool ModelLoader::Status(const Place& place, int* out) {
    unsigned seen = 0;
    int32_t status = 0;
    if (!Fields(place, kStatusFields, &seen,
                [&](int) { return Int(place.Member("status"), &status); }) ||
        !Required(place, seen, 0, "status")) {
        return false;
    }
    *out = status;
    return true;
}

bool ModelLoader::Faults(const Place& place, unsigned allowed, const char* owner,
                         unsigned* out) {
    if (!Expect(place, Type::kArray, "expected a list of host calls")) return false;
    in_.BeginArray();
    std::string call;
    for (std::size_t i = 0;; ++i) {
        const int r = in_.NextElement();
        if (r < 0) return Syntax();
        if (r == 0) return true;
        if (!Text(place.Element(i), &call)) return false;
        HostCall c;
        if (!HostCallByName(call, &c) || !HostCallCanFail(c)) {
            return Fail(place.Element(i), "unknown host call \"" + call + "\"");
        }
        if ((allowed & HostCallBit(c)) == 0) {
            return Fail(place.Element(i), "\"" + call + "\" cannot fail for a " + owner);
        }
        *out |= HostCallBit(c);
    }
}

bool ModelLoader::AddId(const ModelId& id, const Place& place, std::ptrdiff_t ref) {
    if (!model_->index.emplace(IdKey(id), ref).second) {
        return Fail(place, "duplicate id " + std::to_string(id.objid) + " " +
                               std::to_string(id.aplsec) + " " + std::to_string(id.insid) +
                               " " + std::to_string(id.entid));
    }
    return true;
}

bool ModelLoader::Store(const Place& place, const void* data, std::size_t size,
                        std::size_t slots, uint32_t* slot) {
    std::vector<uint64_t>& values = model_->values;
    const std::size_t at = values.size();
    if (at + slots > UINT32_MAX) return Fail(place, "too many parameter values");
    if (slots == 1) {
        uint64_t bits = 0;
        std::memcpy(&bits, data, size);
        values.push_back(bits);
    } else {
        values.resize(at + slots, 0);
        std::memcpy(&values[at], data, size);
    }
    *slot = static_cast<uint32_t>(at);
    return true;
}

// The value of parameter key (the reader's view of the member name).
bool ModelLoader::Param(const Place& params, std::string_view key, ParamValue* out) {
    using Kind = ParamValue::Kind;
    const Place place = params.Member(key);
    Type type;
    if (!in_.Peek(&type)) return Syntax();
    switch (type) {
        case Type::kNull:
            return in_.ReadLiteral() || Syntax();
        case Type::kObject:
            // The members of the object take the reader's member name.
            key_.assign(key.data(), key.size());
            in_.BeginObject();
            return Status(params.Member(key_), &out->status);
        case Type::kNumber: {
            Number n;
            if (!in_.ReadNumber(&n)) return Syntax();
            if (n.kind == Number::kDouble && !n.integral) {
                out->kind = Kind::kDouble;
                return Store(place, &n.d, sizeof n.d, 1, &out->slot);
            }
            int32_t v = 0;
            out->kind = Kind::kInt;
            return IntValue(place, n, &v) && Store(place, &v, sizeof v, 1, &out->slot);
        }
        case Type::kString: {
            std::string_view text;
            if (!in_.ReadString(&text)) return Syntax();
            if (!Host(place, text, &hostText_)) return false;
            out->kind = Kind::kText;
            // At least one slot, with room for the NUL.
            return Store(place, hostText_.data(), hostText_.size(), hostText_.size() / 8 + 1, &out->slot);
        }
        case Type::kArray:
        case Type::kTrue:
        case Type::kFalse:
            break;
    }
    // Reading over the value may take the reader's member name.
    key_.assign(key.data(), key.size());
    return Wrong(params.Member(key_), "expected an int, a number, a text, null or {\"status\": N}");
}

// The keys just read as an entry of model_->paramKeys, shared with every
// process that has the same keys; false when a key was given twice.
bool ModelLoader::SharedKeys(uint32_t* index, std::size_t* duplicate) {
    std::vector<ParamKeys>& all = model_->paramKeys;
    if (all[lastKeys_].Keys() == keys_) {
        *index = lastKeys_;
        return true;
    }
    uint64_t hash = 1469598103934665603ull;
    for (int32_t k : keys_) hash = (hash ^ static_cast<uint32_t>(k)) * 1099511628211ull;
    const auto range = keysByHash_.equal_range(hash);
    for (auto it = range.first; it != range.second; ++it) {
        if (all[it->second].Keys() == keys_) {
            *index = lastKeys_ = it->second;
            return true;
        }
    }
    ParamKeys keys;
    if (!keys.Assign(keys_, duplicate)) return false;
    all.push_back(std::move(keys));
    *index = lastKeys_ = static_cast<uint32_t>(all.size() - 1);
    keysByHash_.emplace(hash, lastKeys_);
    return true;
}

bool ModelLoader::Params(const Place& place, Process* p) {
    if (!Expect(place, Type::kObject, "expected an object")) return false;
    in_.BeginObject();
    keys_.clear();
    p->firstParam = model_->params.size();
    std::string_view key;
    for (;;) {
        const int r = in_.NextMember(&key);
        if (r < 0) return Syntax();
        if (r == 0) break;
        int k = 0;
        ParamValue v;
        if (!Key(key, place.Member(key), &k) || !Param(place, key, &v)) return false;
        keys_.push_back(k);
        model_->params.push_back(v);
    }
    std::size_t duplicate = 0;
    if (!keys_.empty() && !SharedKeys(&p->keys, &duplicate)) {
        return Fail(place, "key " + std::to_string(keys_[duplicate]) + " given twice");
    }
    return true;
}

bool ModelLoader::Tool(const Place& place, Process* p) {
    Type type;
    if (!in_.Peek(&type)) return Syntax();
    if (type == Type::kNull) return in_.ReadLiteral() || Syntax();
    if (type != Type::kObject) return Wrong(place, "expected an object");
    in_.BeginObject();
    unsigned seen = 0;
    const bool ok = Fields(place, kToolFields, &seen, [&](int f) {
        switch (f) {
            case 0: return Int(place.Member("type"), &p->tool.type);
            case 1: return Int(place.Member("state"), &p->tool.state);
            default: return Text(place.Member("name"), &p->tool.name);
        }
    });
    if (!ok || !Required(place, seen, 0, "type") || !Required(place, seen, 1, "state") ||
        !Required(place, seen, 2, "name")) {
        return false;
    }
    if (p->tool.name.size() > 63) return Fail(place.Member("name"), "longer than 63 bytes");
    p->hasTool = true;
    return true;
}

// A list of texts: the first `keep` into out, *count elements in all, and
// the index of the first that is not a text (SIZE_MAX: none) in *notText.
bool ModelLoader::TextList(const Place& place, const char* what, std::string* out,
                           std::size_t keep, std::size_t* count, std::size_t* notText) {
    if (!Expect(place, Type::kArray, what)) return false;
    in_.BeginArray();
    *count = 0;
    *notText = SIZE_MAX;
    for (;;) {
        const int r = in_.NextElement();
        if (r < 0) return Syntax();
        if (r == 0) return true;
        Type type;
        if (!in_.Peek(&type)) return Syntax();
        std::string_view text;
        if (type == Type::kString && *count < keep) {
            if (!in_.ReadString(&text)) return Syntax();
            if (!Host(place.Element(*count), text, &out[*count])) return false;
        } else {
            if (!in_.SkipValue()) return Syntax();
            if (type != Type::kString && *notText == SIZE_MAX) *notText = *count;
        }
        ++*count;
    }
}

bool ModelLoader::CandidateTools(const Place& place, Process* p) {
    std::size_t count = 0;
    std::size_t notText = SIZE_MAX;
    if (!TextList(place, "expected a list of texts", p->candidateTools.data(),
                  p->candidateTools.size(), &count, &notText)) {
        return false;
    }
    if (count > p->candidateTools.size()) return Fail(place, "more than 5 tools");
    if (notText != SIZE_MAX) return Fail(place.Element(notText), "expected a text");
    return true;
}

bool ModelLoader::ProcessEntry(const Place& place, std::size_t plan) {
    if (!Expect(place, Type::kObject, "expected an object")) return false;
    Process p;
    p.line = in_.Line();
    in_.BeginObject();
    p.plan = plan;
    unsigned seen = 0;
    const bool ok = Fields(place, kProcessFields, &seen, [&](int f) {
        const Place field = place.Member(kProcessFields[f]);
        switch (f) {
            case 0: return Id(field, &p.id);
            case 1: return Int(field, &p.type);
            case 2: return Text(field, &p.name);
            case 3: return Tool(field, &p);
            case 4: return CandidateTools(field, &p);
            case 5: return Params(field, &p);
            default: {
                const unsigned allowed =
                    HostCallBit(HostCall::kQdgmInqNctyp) | HostCallBit(HostCall::kQdgmGetPrcs) |
                    HostCallBit(HostCall::kQdgmRetIdnamLN) |
                    HostCallBit(HostCall::kQdgmRetLstRM) |
                    HostCallBit(HostCall::kQvlbpPrcInqPrm);
                return Faults(field, allowed, "process", &p.faults);
            }
        }
    });
    if (!ok || !Required(place, seen, 0, "id") || !Required(place, seen, 1, "type")) {
        return false;
    }
    model_->plans[plan].processes.push_back(model_->processes.size());
    model_->processes.push_back(std::move(p));
    return true;
}

bool ModelLoader::Machine(const Place& place, Plan* plan) {
    if (!Expect(place, Type::kObject, "expected an object")) return false;
    in_.BeginObject();
    unsigned seen = 0;
    const Place names = place.Member("names");
    std::string texts[2];
    const bool ok = Fields(place, kMachineFields, &seen, [&](int) {
        std::size_t count = 0;
        std::size_t notText = SIZE_MAX;
        if (!TextList(names, "expected two texts", texts, 2, &count, &notText)) return false;
        if (count != 2) return Fail(names, "expected two texts");
        if (notText != SIZE_MAX) return Fail(names.Element(notText), "expected a text");
        return true;
    });
    if (!ok || !Required(place, seen, 0, "names")) return false;
    plan->machine1 = std::move(texts[0]);
    plan->machine2 = std::move(texts[1]);
    plan->hasMachine = true;
    return true;
}

bool ModelLoader::PlanEntry(const Place& place, std::size_t index) {
    if (!Expect(place, Type::kObject, "expected an object")) return false;
    model_->plans.emplace_back();
    model_->plans[index].line = in_.Line();
    in_.BeginObject();
    unsigned seen = 0;
    const bool ok = Fields(place, kPlanFields, &seen, [&](int f) {
        Plan& plan = model_->plans[index];
        const Place field = place.Member(kPlanFields[f]);
        switch (f) {
            case 0: return Id(field, &plan.id);
            case 1: return Text(field, &plan.name);
            case 2: return Machine(field, &plan);
            case 3: {
                Type type;
                if (!in_.Peek(&type)) return Syntax();
                if (type == Type::kNull) return in_.ReadLiteral() || Syntax();
                if (type != Type::kArray) {
                    return Wrong(field, "expected a list of processes or null");
                }
                in_.BeginArray();
                model_->plans[index].hasProcesses = true;
                for (std::size_t k = 0;; ++k) {
                    const int r = in_.NextElement();
                    if (r < 0) return Syntax();
                    if (r == 0) return true;
                    if (!ProcessEntry(field.Element(k), index)) return false;
                }
            }
            default: {
                const unsigned allowed = HostCallBit(HostCall::kQdgmRetLstRO) |
                                         HostCallBit(HostCall::kQdgmRetIdnamLN);
                return Faults(field, allowed, "plan", &plan.faults);
            }
        }
    });
    if (!ok || !Required(place, seen, 0, "id")) return false;
    // The plan's id first, then its processes' ids in order.
    const Plan& plan = model_->plans[index];
    if (!AddId(plan.id, place.Member("id"), static_cast<std::ptrdiff_t>(index))) return false;
    const Place processes = place.Member("processes");
    for (std::size_t k = 0; k < plan.processes.size(); ++k) {
        const std::size_t p = plan.processes[k];
        if (!AddId(model_->processes[p].id, processes.Element(k).Member("id"),
                   ~static_cast<std::ptrdiff_t>(p))) {
            return false;
        }
    }
    return true;
}

bool ModelLoader::ToolTexts(const Place& place) {
    return Entries(place, [&](const Place& item) {
        ToolText t;
        Type type;
        if (!in_.Peek(&type)) return Syntax();
        if (type == Type::kString) {
            t.hasText = true;
            if (!Text(item, &t.text)) return false;
        } else if (type != Type::kObject) {
            return Wrong(item, "expected a text or {\"status\": N}");
        } else {
            in_.BeginObject();
            if (!Status(item, &t.status)) return false;
        }
        std::string tool;
        if (!Host(item, key_, &tool)) return false;
        return model_->toolTexts.emplace(std::move(tool), std::move(t)).second || Fail(item, "duplicate key");
    });
}

bool ModelLoader::Messages(const Place& place) {
    return Entries(place, [&](const Place& item) {
        int number = 0;
        std::string text;
        if (!Key(key_, item, &number) || !Text(item, &text)) return false;
        return model_->messages.emplace(number, std::move(text)).second ||
               Fail(item, "duplicate key");
    });
}

bool ModelLoader::Root() {
    const Place root;
    if (!Expect(root, Type::kObject, "expected an object")) return false;
    in_.BeginObject();
    unsigned seen = 0;
    const bool ok = Fields(root, kRootFields, &seen, [&](int f) {
        const Place field = root.Member(kRootFields[f]);
        switch (f) {
            case 0: {
                if (!Expect(field, Type::kArray, "expected a list of plans")) return false;
                in_.BeginArray();
                for (std::size_t i = 0;; ++i) {
                    const int r = in_.NextElement();
                    if (r < 0) return Syntax();
                    if (r == 0) return true;
                    if (!PlanEntry(field.Element(i), i)) return false;
                }
            }
            case 1: return ToolTexts(field);
            case 2: return Messages(field);
            default:
                // Every text after it is in its code page.
                return seen == 1u << 3 ? Encoding(field)
                                       : Fail(field, "must come before the other members");
        }
    });
    if (!ok || !Required(root, seen, 0, "plans")) return false;
    return in_.AtEnd() || Syntax();
}

}  // namespace

int ParseModel(JsonReader& in, const std::string& name, Model* model, std::string* err,
               std::size_t textSize) {
    *model = Model();
    // A parameter takes at least 6 bytes of text ("1":1,), most take more
    // than 12; room that is reserved but never used costs no memory.
    model->params.reserve(textSize / 12);
    model->values.reserve(textSize / 10);
    ModelLoader loader(in, name, model, err);
    return loader.Root() ? 0 : -1;
}

int ParseModel(std::string_view text, const std::string& name, Model* model,
               std::string* err) {
    JsonReader in(text);
    return ParseModel(in, name, model, err, text.size());
}

}  // namespace qvsim
