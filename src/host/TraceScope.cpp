#include "host/TraceScope.h"

TraceScope::TraceScope(const TraceRecord& rec)
    : frame_{nullptr, &rec, 0}, slot_(ZrlCurrentAreaGet()),
      active_at_entry_(false) {
    if (slot_ != nullptr) {
        frame_.prev = *slot_;
        *slot_ = &frame_;
    }
    ZrlStkLvlInc();
    frame_.level = static_cast<signed char>(ZrlProgSw[rec.id]);
    if (frame_.level != 0) ZrlInt(&rec);
    active_at_entry_ = Active();
}

TraceScope::~TraceScope() {
    if (frame_.level > 0) ZrlTrceMk(1, frame_.rec->name, frame_.rec->id);
    if (slot_ != nullptr) *slot_ = frame_.prev;
    ZrlStkLvlDec();
}

bool TraceScope::Active() {
    if (ZrlMainSw != 1) return false;
    const TraceFrame* cur = ZrlCurrentGet();
    return cur != nullptr && cur->level > 0;
}

void TraceScope::Val(const char* label, int value) {
    if (Active()) ZrlVal(label, "%d", value);
}

void TraceScope::Val(const char* label, const char* text) {
    if (Active()) ZrlVal(label, "%s", text != nullptr ? text : "");
}

void TraceScope::Chr(const char* text) {
    if (Active()) ZrlChr(text);
}

void TraceScope::Snp(const char* label, const ModelId& id) {
    if (Active()) ZrlSnp(label, "%x", &id, 4, 4);
}
