#include "diff/CsvOnDisk.h"

#include <algorithm>

#include "ReadableFile.h"

void ParseCsv(std::string_view bytes, PlanCsv* file) {
    file->columns.clear();
    file->rows.clear();
    file->unsplit = true;
    file->header.clear();
    bool first = true;
    while (!bytes.empty()) {
        const std::size_t lf = bytes.find('\n');
        std::string_view line = bytes.substr(0, lf);
        bytes.remove_prefix(lf == std::string_view::npos ? bytes.size() : lf + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (first) {
            first = false;
            file->header.assign(line);
        } else {
            file->rows.emplace_back().Add(line);
        }
    }
}

std::vector<std::string_view> SplitCsvLine(std::string_view line, const std::vector<std::string_view>& hints) {
    const auto commas = [](std::string_view text) {
        return static_cast<std::size_t>(std::count(text.begin(), text.end(), ','));
    };
    std::size_t inside = 0;
    for (std::string_view hint : hints) inside += commas(hint);
    const std::size_t total = commas(line);
    const bool guided = !hints.empty() && inside > 0 && total == hints.size() - 1 + inside;
    std::vector<std::string_view> cells;
    std::size_t begin = 0;
    for (std::size_t at = 0, skip = guided ? commas(hints[0]) : 0; at <= line.size(); ++at) {
        if (at < line.size() && line[at] != ',') continue;
        if (at < line.size() && skip > 0) {
            --skip;
            continue;
        }
        cells.push_back(line.substr(begin, at - begin));
        begin = at + 1;
        if (guided && cells.size() < hints.size()) skip = commas(hints[cells.size()]);
    }
    return cells;
}

Status ReadCsvOnDisk(const std::string& nativePath, PlanCsv* file) {
    ReadableFile in;
    Status status = in.Open(nativePath.c_str());
    if (!status.ok()) return status;
    std::string bytes;
    char block[ReadableFile::kBlockSize];
    std::ptrdiff_t n = 0;
    while ((n = in.Read(block, sizeof block)) > 0) bytes.append(block, static_cast<std::size_t>(n));
    if (n < 0) return in.ReadError();
    const std::size_t slash = nativePath.find_last_of("\\/");
    file->name = slash == std::string::npos ? nativePath : nativePath.substr(slash + 1);
    ParseCsv(bytes, file);
    return Status();
}
