#include "diff/SpilledPlans.h"

#include <string>
#include <utility>

SpilledPlans::SpilledPlans(std::size_t count) : where_(count), memory_(count) {}

SpilledPlans::~SpilledPlans() = default;

void SpilledPlans::Put(std::size_t plan, PlanCsv&& file) {
    Where& w = where_[plan];
    w.kept = true;
    // Each file goes after the last; reads move the position meanwhile.
    std::FILE* f = file_.get();
    w.inMemory = f == nullptr || std::fseek(f, 0, SEEK_END) != 0 || std::fgetpos(f, &w.at) != 0 || !Write(file);
    if (w.inMemory) memory_[plan] = std::move(file);
}

std::optional<PlanCsv> SpilledPlans::Take(std::size_t plan) {
    Where& w = where_[plan];
    if (!w.kept) return std::nullopt;
    w.kept = false;
    if (w.inMemory) return std::exchange(memory_[plan], std::nullopt);
    PlanCsv file;
    if (std::fsetpos(file_.get(), &w.at) != 0 || !Read(&file)) {
        lost_ = true;
        return std::nullopt;
    }
    return file;
}

bool SpilledPlans::Write(const PlanCsv& file) {
    SpillCodec out(file_.get());
    out.Text(file.name);
    out.Size(file.columns.size());
    for (const FileColumn& c : file.columns) {
        out.Text(c.title);
        out.Text(c.identity);
        out.Bytes(&c.index, sizeof c.index);
    }
    out.Size(file.rows.size());
    for (const FileRow& r : file.rows) {
        const unsigned char hasProcess = r.hasProcess ? 1 : 0;
        out.Bytes(&hasProcess, 1);
        out.Bytes(&r.process, sizeof r.process);
        out.Text(r.text);
        out.Array(r.ends);
        out.Array(r.origins);
    }
    return out.ok() && std::fflush(file_.get()) == 0;
}

bool SpilledPlans::Read(PlanCsv* file) {
    SpillCodec in(file_.get());
    in.GetText(&file->name);
    file->columns.resize(in.GetSize());
    for (FileColumn& c : file->columns) {
        in.GetText(&c.title);
        in.GetText(&c.identity);
        in.Get(&c.index, sizeof c.index);
    }
    file->rows.resize(in.GetSize());
    for (FileRow& r : file->rows) {
        unsigned char hasProcess = 0;
        in.Get(&hasProcess, 1);
        r.hasProcess = hasProcess != 0;
        in.Get(&r.process, sizeof r.process);
        in.GetText(&r.text);
        in.GetArray(&r.ends);
        in.GetArray(&r.origins);
    }
    return in.ok();
}
