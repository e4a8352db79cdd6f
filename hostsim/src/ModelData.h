// ModelData: the CAM model that the stand-in host's model database answers
// from, as loaded from a model file (see ModelFile.h for the file format).
#ifndef QVHOSTSIM_MODELDATA_H
#define QVHOSTSIM_MODELDATA_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "ParamKeys.h"
#include "qvkdc/qvkdc.h"

namespace qvsim {

struct IdKey {
    int32_t v[4];
    explicit IdKey(const ModelId& id) : v{id.objid, id.aplsec, id.insid, id.entid} {}
    bool operator==(const IdKey& o) const {
        return v[0] == o.v[0] && v[1] == o.v[1] && v[2] == o.v[2] && v[3] == o.v[3];
    }
};

struct IdKeyHash {
    std::size_t operator()(const IdKey& k) const {
        uint64_t h = 1469598103934665603ull;
        for (int32_t x : k.v) h = (h ^ static_cast<uint32_t>(x)) * 1099511628211ull;
        return static_cast<std::size_t>(h);
    }
};

// One process parameter. A value lives in the model's value storage from
// slot `slot` on; a parameter without a value answers only its status.
struct ParamValue {
    enum class Kind : unsigned char { kNone, kInt, kDouble, kText };
    uint32_t slot = 0;
    int32_t status = 0;
    Kind kind = Kind::kNone;
};

struct ToolRecord {
    int32_t type = 0;
    int32_t state = 0;
    std::string name;  // at most 63 bytes
};

struct Process {
    ModelId id{};
    int32_t type = 0;
    std::string name;
    bool hasTool = false;
    ToolRecord tool;
    std::array<std::string, 5> candidateTools;
    // Parameters: the keys are Model::paramKeys[keys], the values in key
    // order Model::params[firstParam...].
    uint32_t keys = 0;
    std::size_t firstParam = 0;
    unsigned faults = 0;  // HostCallBit set
    std::size_t plan = 0;  // index of the owning plan
    uint64_t line = 0;     // of the file, where its object begins
};

struct Plan {
    ModelId id{};
    std::string name;
    bool hasMachine = false;
    std::string machine1, machine2;
    bool hasProcesses = false;  // false: "processes" absent or null
    std::vector<std::size_t> processes;  // indexes into Model::processes
    unsigned faults = 0;  // HostCallBit set
    uint64_t line = 0;    // of the file, where its object begins
};

// Answer of QvptfInqLnN for one tool name.
struct ToolText {
    bool hasText = false;
    std::string text;
    int status = 0;
};

struct Model {
    Model();

    // Tells this model from every other one made in this process.
    uint64_t serial;
    std::vector<Plan> plans;
    std::vector<Process> processes;
    // Every plan and process by id; a process is stored as ~index.
    std::unordered_map<IdKey, std::ptrdiff_t, IdKeyHash> index;
    // Parameter keys shared between processes; [0] is the empty set.
    std::vector<ParamKeys> paramKeys;
    std::vector<ParamValue> params;
    // Storage of the parameter values: 8-byte slots, zero-padded.
    std::vector<uint64_t> values;
    std::unordered_map<std::string, ToolText> toolTexts;
    std::map<int, std::string> messages;
    // The host's code page the texts were made in ("encoding" of the file);
    // empty: they are as the file holds them (UTF-8).
    std::string encoding;

    const Plan* FindPlan(const ModelId* id) const;
    const Process* FindProcess(const ModelId* id) const;
    // Parameter key of the process; null when it has none under key.
    const ParamValue* FindParam(const Process& prcs, int key) const {
        const int pos = paramKeys[prcs.keys].Find(key);
        return pos >= 0 ? &params[prcs.firstParam + static_cast<std::size_t>(pos)] : nullptr;
    }
    const void* Value(const ParamValue& v) const {
        return v.kind == ParamValue::Kind::kNone ? nullptr : &values[v.slot];
    }
};

// The model the host calls answer from; empty until a model is loaded.
extern Model g_model;
inline Model& TheModel() { return g_model; }

}  // namespace qvsim

#endif  // QVHOSTSIM_MODELDATA_H
