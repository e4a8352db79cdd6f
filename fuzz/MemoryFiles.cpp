#include "MemoryFiles.h"

#include <vector>

#include "BufferedLineReader.h"
#include "qvhostsim/qvhostsim.h"

namespace {

class MemoryLineReader : public BufferedLineReader {
 public:
    MemoryLineReader(std::string_view bytes, std::size_t blockSize)
        : rest_(bytes), blockSize_(blockSize == 0 ? bytes.size() : blockSize) {}

 protected:
    int NextBlock(std::string_view* block, Status*) override {
        if (rest_.empty()) return 0;
        *block = rest_.substr(0, blockSize_);
        rest_.remove_prefix(block->size());
        return 1;
    }

 private:
    std::string_view rest_;
    std::size_t blockSize_;
};

class MemoryWriter : public TextWriter {
 public:
    explicit MemoryWriter(std::string* file) : file_(file) {}
    Status Write(std::string_view text) override {
        if (file_ == nullptr) return Status::Error("the file is closed");
        file_->append(text);
        return Status::OK();
    }
    Status Close() override {
        const bool open = file_ != nullptr;
        file_ = nullptr;
        return open ? Status::OK() : Status::Error("the file is closed");
    }

 private:
    std::string* file_;
};

Status MissingFile() { return Status::Error("no such file"); }

int ServeTable(void* context, const char* path, const char** data, size_t* size) {
    const auto& files = static_cast<MemoryFiles*>(context)->Files();
    const auto it = files.find(path);
    if (it == files.end()) return -1;
    *data = it->second.data();
    *size = it->second.size();
    return 0;
}

}  // namespace

MemoryFiles::~MemoryFiles() {
    if (serving_) QvsimSetTableSource(nullptr, nullptr);
}

void MemoryFiles::Serve() {
    QvsimSetTableSource(&ServeTable, this);
    serving_ = true;
}

bool MemoryFiles::Exists(std::string_view path) { return files_.count(std::string(path)) != 0; }

// The reader reads the file as it stands when opened; the run writes no
// file it reads.
Status MemoryFiles::OpenForRead(std::string_view path, std::unique_ptr<LineReader>* reader) {
    const auto it = files_.find(std::string(path));
    if (it == files_.end()) return MissingFile();
    *reader = std::make_unique<MemoryLineReader>(it->second, blockSize_);
    return Status::OK();
}

Status MemoryFiles::OpenForWrite(std::string_view path, std::unique_ptr<TextWriter>* writer) {
    std::string& file = files_[std::string(path)];
    file.clear();
    *writer = std::make_unique<MemoryWriter>(&file);
    return Status::OK();
}

Status MemoryFiles::Remove(std::string_view path) {
    return files_.erase(std::string(path)) != 0 ? Status::OK() : MissingFile();
}


std::vector<std::string> ReadAllLines(std::string_view bytes, std::size_t blockSize) {
    MemoryLineReader reader(bytes, blockSize);
    std::vector<std::string> lines;
    std::string line;
    while (reader.ReadLine(&line) == 1) lines.push_back(line);
    return lines;
}
