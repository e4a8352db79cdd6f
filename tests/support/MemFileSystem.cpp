#include "support/MemFileSystem.h"

namespace {

class MemLineReader : public LineReader {
 public:
    explicit MemLineReader(std::string text) : text_(std::move(text)) {}

    int ReadLine(std::string* line) override {
        if (pos_ >= text_.size()) return 0;
        std::size_t end = text_.find('\n', pos_);
        const std::size_t next = end == std::string::npos ? text_.size() : end + 1;
        if (end == std::string::npos) end = text_.size();
        else if (end > pos_ && text_[end - 1] == '\r') --end;
        line->assign(text_, pos_, end - pos_);
        pos_ = next;
        return 1;
    }

 private:
    std::string text_;
    std::size_t pos_ = 0;
};

}  // namespace

class MemFileSystem::Writer : public TextWriter {
 public:
    Writer(MemFileSystem* fs, std::string path) : fs_(fs), path_(std::move(path)) {}
    ~Writer() override {
        if (fs_ != nullptr) Close();
    }

    int Write(std::string_view text) override {
        if (fs_ == nullptr) return -1;
        fs_->files_[path_].append(text);
        return 0;
    }

    int Close() override {
        if (fs_ == nullptr) return -1;
        fs_->writing_.erase(path_);
        fs_ = nullptr;
        return 0;
    }

 private:
    MemFileSystem* fs_;  // null once closed
    std::string path_;
};

std::string MemFileSystem::Contents(const std::string& path) const {
    const auto it = files_.find(path);
    return it == files_.end() ? std::string() : it->second;
}

bool MemFileSystem::Exists(std::string_view path) {
    const std::string key(path);
    return files_.count(key) != 0 || folders_.count(key) != 0;
}

int MemFileSystem::OpenForRead(std::string_view path, std::unique_ptr<LineReader>* reader) {
    const auto it = files_.find(std::string(path));
    if (it == files_.end()) return -1;
    *reader = std::make_unique<MemLineReader>(it->second);
    return 0;
}

int MemFileSystem::OpenForWrite(std::string_view path, std::unique_ptr<TextWriter>* writer) {
    std::string key(path);
    if (folders_.count(key) != 0 || writing_.count(key) != 0) return -1;
    files_[key].clear();
    writing_.insert(key);
    *writer = std::make_unique<Writer>(this, std::move(key));
    return 0;
}

int MemFileSystem::Remove(std::string_view path) {
    const std::string key(path);
    if (writing_.count(key) != 0) return -1;
    return files_.erase(key) != 0 ? 0 : -1;
}
