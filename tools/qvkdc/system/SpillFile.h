// SpillFile: an unnamed temporary file for what a command would otherwise
// hold in memory while it works: written once, read back later. It goes
// when the object does, or when the process ends, however it ends, so a
// killed run leaves nothing behind. SpillCodec lays values out in it and
// reads them back in the same order.
#ifndef QVKDC_TOOLS_SYSTEM_SPILLFILE_H
#define QVKDC_TOOLS_SYSTEM_SPILLFILE_H

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class SpillFile {
 public:
    // Makes the file; get() is null when the system gave none.
    SpillFile() : file_(std::tmpfile()) {}

    std::FILE* get() const { return file_.get(); }

 private:
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> file_;
};

// Writes and reads values at the file's position: sizes as 64 bits, texts
// and arrays after their size. ok() turns false at the first write or read
// that fails, and stays false.
class SpillCodec {
 public:
    // REQUIRES: f is open and outlives the codec.
    explicit SpillCodec(std::FILE* f) : f_(f) {}
    bool ok() const { return ok_; }

    void Bytes(const void* data, std::size_t n) {
        ok_ = ok_ && (n == 0 || std::fwrite(data, 1, n, f_) == n);
    }
    void Size(std::size_t n) {
        const std::uint64_t v = n;
        Bytes(&v, sizeof v);
    }
    void Text(const std::string& s) {
        Size(s.size());
        Bytes(s.data(), s.size());
    }
    template <class T>
    void Array(const std::vector<T>& v) {
        Size(v.size());
        Bytes(v.data(), v.size() * sizeof(T));
    }

    void Get(void* data, std::size_t n) { ok_ = ok_ && (n == 0 || std::fread(data, 1, n, f_) == n); }
    std::size_t GetSize() {
        std::uint64_t v = 0;
        Get(&v, sizeof v);
        // Never more than the file could hold: a size read wrong ends here.
        ok_ = ok_ && v <= (std::uint64_t{1} << 40);
        return ok_ ? static_cast<std::size_t>(v) : 0;
    }
    void GetText(std::string* s) {
        s->resize(GetSize());
        Get(s->data(), s->size());
    }
    template <class T>
    void GetArray(std::vector<T>* v) {
        v->resize(GetSize());
        Get(v->data(), v->size() * sizeof(T));
    }

 private:
    std::FILE* f_;
    bool ok_ = true;
};

#endif  // QVKDC_TOOLS_SYSTEM_SPILLFILE_H
