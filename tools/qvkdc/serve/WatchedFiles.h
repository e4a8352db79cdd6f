// WatchedFiles: whether a few files changed, found by looking at them
// again and again (their existence, size and time of change), which works
// wherever the files are: on a network share, in a container, however an
// editor saves (a new file renamed over the old one, the old one truncated
// and written again, the file removed and made again). A change counts
// once the files have stayed as they are for a while: a file still being
// written is waited for, and the saves of one edit give one change.
#ifndef QVKDC_TOOLS_SERVE_WATCHEDFILES_H
#define QVKDC_TOOLS_SERVE_WATCHEDFILES_H

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

class WatchedFiles {
 public:
    using Clock = std::chrono::steady_clock;

    // paths: the files, as the platform's file calls take them. A change
    // counts once they have looked the same for `settle`.
    WatchedFiles(std::vector<std::string> paths, Clock::duration settle);

    // Looks at every file now. Returns true once, when the files changed
    // since the last change counted (or since they were first looked at)
    // and have then stayed the same for the settling time.
    bool Poll(Clock::time_point now = Clock::now());
    // Whether a change was seen that is not counted yet: the files are
    // still being written.
    bool Settling() const { return settling_; }
    const std::vector<std::string>& Paths() const { return paths_; }

 private:
    struct Look {
        bool exists = false;
        std::uintmax_t size = 0;
        std::int64_t changed = 0;  // the file's time of change, in the clock's ticks
        bool operator==(const Look& o) const {
            return exists == o.exists && size == o.size && changed == o.changed;
        }
    };
    std::vector<Look> LookNow() const;

    std::vector<std::string> paths_;
    Clock::duration settle_;
    std::vector<Look> counted_;  // as at the last change counted
    std::vector<Look> last_;     // as at the last look
    Clock::time_point lastMoved_{};
    bool settling_ = false;
};

#endif  // QVKDC_TOOLS_SERVE_WATCHEDFILES_H
