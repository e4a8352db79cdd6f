#include "report/SourceRows.h"

#include <algorithm>
#include <cstring>

#include "FileSystem.h"
#include "ReadableFile.h"

namespace {

const char* Find(const char* from, const char* end, char c) {
    const void* at = std::memchr(from, c, static_cast<std::size_t>(end - from));
    return at != nullptr ? static_cast<const char*>(at) : end;
}

}  // namespace

SourceRows::SourceRows(const CheckInputs& in, const FindingList& findings) {
    const auto read = [&](const InputFile& file) {
        if (!file.Readable() || file.Utf16()) return;
        std::map<int, Kept> lines;
        for (const Finding& f : findings.All()) {
            if (f.file != file.Display() || f.line <= 0 || FindingCodeOf(f.code).wholeFile) continue;
            lines.emplace(f.line, Kept());
        }
        if (lines.empty()) return;
        Read(file, &lines);
        for (auto& [line, kept] : lines) {
            if (kept.read) rows_.emplace(std::make_pair(file.Display(), line), std::move(kept));
        }
    };
    for (int i = 0; i < kCnvTblFileCount; ++i) read(in.Table(static_cast<CnvTblIndex>(i)));
    read(in.OptionFile());
}

void SourceRows::Read(const InputFile& input, std::map<int, Kept>* lines) {
    ReadableFile file;
    if (!file.Open(FileSystem::Current()->NativePath(input.Path()).c_str()).ok()) return;
    const int last = lines->rbegin()->first;
    int line = 1;
    auto next = lines->begin();  // the next line wanted
    bool afterCr = false;
    char block[ReadableFile::kBlockSize];
    std::ptrdiff_t n = 0;
    while (line <= last && (n = file.Read(block, sizeof block)) > 0) {
        const char* p = block;
        const char* const end = block + n;
        while (p < end && line <= last) {
            if (afterCr) {
                afterCr = false;
                if (*p == '\n') {
                    ++p;
                    continue;
                }
            }
            const char* const lf = Find(p, end, '\n');
            const char* const stop = Find(p, lf, '\r');
            if (line == next->first) {
                Kept& kept = next->second;
                kept.read = true;
                const std::size_t room = kKept - std::min(kKept, kept.text.size());
                kept.text.append(p, std::min(room, static_cast<std::size_t>(stop - p)));
                kept.length += static_cast<std::size_t>(stop - p);
            }
            if (stop == end) break;
            if (line == next->first) ++next;
            ++line;
            afterCr = *stop == '\r';
            p = stop + 1;
        }
    }
}

const std::string* SourceRows::Line(std::string_view file, int line, std::size_t* length) const {
    const auto it = rows_.find(std::make_pair(std::string(file), line));
    if (it == rows_.end()) return nullptr;
    *length = it->second.length;
    return &it->second.text;
}
