#include "export/PlanOutcomeLog.h"

PlanOutcomeLog::PlanOutcomeLog(const ModelId* plans, int count, const int* numbers)
    : plans_(plans), numbers_(numbers), count_(count > 0 ? count : 0) {}

void PlanOutcomeLog::Add(const PlanOutcome& outcome) {
    ++kept_;
    written_ += outcome.outcome == Outcome::kWritten;
    if (file_ == nullptr) file_ = std::make_unique<SpillFile>();
    // Once one could not be written, it and the rest stay in memory; what
    // was written of it is never read, as only inFile_ outcomes are.
    if (memory_.empty() && file_->get() != nullptr && Write(outcome)) {
        ++inFile_;
        return;
    }
    memory_.push_back(outcome);
}

bool PlanOutcomeLog::Write(const PlanOutcome& o) {
    SpillCodec out(file_->get());
    const int fields[] = {o.index, o.number, static_cast<int>(o.outcome), o.rows, o.processType};
    out.Bytes(fields, sizeof fields);
    out.Bytes(&o.id, sizeof o.id);
    out.Bytes(&o.process, sizeof o.process);
    const unsigned char flags =
        static_cast<unsigned char>((o.hasProcess ? 1 : 0) | (o.machineKnown ? 2 : 0) | (o.failedAtFile ? 4 : 0));
    out.Bytes(&flags, 1);
    out.Text(o.path);
    return out.ok();
}

bool PlanOutcomeLog::Read(PlanOutcome* o) const {
    SpillCodec in(file_->get());
    int fields[5] = {};
    in.Get(fields, sizeof fields);
    in.Get(&o->id, sizeof o->id);
    in.Get(&o->process, sizeof o->process);
    unsigned char flags = 0;
    in.Get(&flags, 1);
    in.GetText(&o->path);
    o->index = fields[0];
    o->number = fields[1];
    o->outcome = static_cast<Outcome>(fields[2]);
    o->rows = fields[3];
    o->processType = fields[4];
    o->hasProcess = (flags & 1) != 0;
    o->machineKnown = (flags & 2) != 0;
    o->failedAtFile = (flags & 4) != 0;
    return in.ok();
}

bool PlanOutcomeLog::ForEach(const std::function<void(const PlanOutcome&)>& each) const {
    if (inFile_ > 0 && (std::fflush(file_->get()) != 0 || std::fseek(file_->get(), 0, SEEK_SET) != 0)) {
        return false;
    }
    PlanOutcome o;
    for (int i = 0; i < inFile_; ++i) {
        o = PlanOutcome();
        if (!Read(&o)) return false;
        NameOutcome(&o);
        each(o);
    }
    for (PlanOutcome m : memory_) {
        NameOutcome(&m);
        each(m);
    }
    for (int i = kept_; i < count_; ++i) each(PlanNotReached(plans_, numbers_, i));
    // Later outcomes go after the last one, whatever was read.
    if (inFile_ > 0) std::fseek(file_->get(), 0, SEEK_END);
    return true;
}

std::vector<PlanOutcome> PlanOutcomeLog::All() const {
    std::vector<PlanOutcome> all;
    ForEach([&](const PlanOutcome& o) { all.push_back(o); });
    return all;
}
