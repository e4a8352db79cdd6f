#include "examine/BufferedLineReader.h"

int BufferedLineReader::ReadLine(std::string* line) {
    line->clear();
    bool any = false;
    for (;;) {
        if (block_.empty()) {
            if (end_) break;
            const int got = NextBlock(&block_, &error_);
            if (got < 0) return -1;
            if (got == 0) {
                end_ = true;
                block_ = std::string_view();
                break;
            }
            continue;
        }
        const std::size_t lf = block_.find('\n');
        if (lf != std::string_view::npos) {
            line->append(block_.data(), lf);
            block_.remove_prefix(lf + 1);
            if (!line->empty() && line->back() == '\r') line->pop_back();
            return 1;
        }
        line->append(block_.data(), block_.size());
        block_ = std::string_view();
        any = true;
    }
    return any ? 1 : 0;
}
