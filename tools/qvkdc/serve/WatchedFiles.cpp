#include "serve/WatchedFiles.h"

#include <filesystem>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

WatchedFiles::WatchedFiles(std::vector<std::string> paths, Clock::duration settle)
    : paths_(std::move(paths)), settle_(settle) {
    counted_ = LookNow();
    last_ = counted_;
}

std::vector<WatchedFiles::Look> WatchedFiles::LookNow() const {
    std::vector<Look> looks(paths_.size());
    for (std::size_t i = 0; i < paths_.size(); ++i) {
        std::error_code ec;
        const fs::file_status status = fs::status(paths_[i], ec);
        Look& look = looks[i];
        look.exists = !ec && fs::exists(status);
        if (!look.exists) continue;
        look.size = fs::is_regular_file(status) ? fs::file_size(paths_[i], ec) : 0;
        const fs::file_time_type changed = fs::last_write_time(paths_[i], ec);
        look.changed = ec ? 0 : static_cast<std::int64_t>(changed.time_since_epoch().count());
    }
    return looks;
}

bool WatchedFiles::Poll(Clock::time_point now) {
    std::vector<Look> looks = LookNow();
    if (!(looks == last_)) {
        last_ = std::move(looks);
        lastMoved_ = now;
        settling_ = !(last_ == counted_);
        return false;
    }
    if (!settling_ || now - lastMoved_ < settle_) return false;
    settling_ = false;
    counted_ = last_;
    return true;
}
