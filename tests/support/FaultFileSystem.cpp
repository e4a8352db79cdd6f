#include "support/FaultFileSystem.h"

namespace {

class FaultLineReader : public LineReader {
 public:
    FaultLineReader(FaultFileSystem* fs, std::unique_ptr<LineReader> base)
        : fs_(fs), base_(std::move(base)) {}
    int ReadLine(std::string* line) override {
        return fs_->Hit(FaultFileSystem::kReadLine) ? -1 : base_->ReadLine(line);
    }

 private:
    FaultFileSystem* fs_;
    std::unique_ptr<LineReader> base_;
};

class FaultTextWriter : public TextWriter {
 public:
    FaultTextWriter(FaultFileSystem* fs, std::unique_ptr<TextWriter> base)
        : fs_(fs), base_(std::move(base)) {}
    int Write(std::string_view text) override {
        return fs_->Hit(FaultFileSystem::kWrite) ? -1 : base_->Write(text);
    }
    int Close() override {
        const bool fail = fs_->Hit(FaultFileSystem::kClose);
        const int rc = base_->Close();
        return fail ? -1 : rc;
    }

 private:
    FaultFileSystem* fs_;
    std::unique_ptr<TextWriter> base_;
};

}  // namespace

void FaultFileSystem::FailNth(Op op, int nth) {
    fail_at_[op] = nth > 0 ? calls_[op] + nth : 0;
}

bool FaultFileSystem::Hit(Op op) {
    ++calls_[op];
    if (fail_at_[op] == 0 || calls_[op] != fail_at_[op]) return false;
    fail_at_[op] = 0;
    return true;
}

bool FaultFileSystem::Exists(std::string_view path) {
    return !Hit(kExists) && base_->Exists(path);
}

int FaultFileSystem::OpenForRead(std::string_view path, std::unique_ptr<LineReader>* reader) {
    if (Hit(kOpenForRead)) return -1;
    std::unique_ptr<LineReader> base;
    if (base_->OpenForRead(path, &base) != 0) return -1;
    *reader = std::make_unique<FaultLineReader>(this, std::move(base));
    return 0;
}

int FaultFileSystem::OpenForWrite(std::string_view path, std::unique_ptr<TextWriter>* writer) {
    if (Hit(kOpenForWrite)) return -1;
    std::unique_ptr<TextWriter> base;
    if (base_->OpenForWrite(path, &base) != 0) return -1;
    *writer = std::make_unique<FaultTextWriter>(this, std::move(base));
    return 0;
}

int FaultFileSystem::Remove(std::string_view path) {
    return Hit(kRemove) ? -1 : base_->Remove(path);
}
