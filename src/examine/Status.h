// Status: what a call of the platform layer gives back: ok, or an error
// with the reason, so that the caller can trace it, tell it or decide on
// it without asking the system again.
//
// An error carries the system's error code (errno on POSIX, a GetLastError
// value on Windows) and its text ("No such file or directory", "Permission
// denied"; on Windows the system's message text without its full stop),
// and whether the code means "not found": the file, or a folder on its
// path, is missing. Where the platform layer tells the reason in its own
// words ("is a folder", "is a link to nothing", "another program is
// writing the file") the text is those words, with the system's code when
// a call gave one and code 0 when the finding is the layer's alone.
//
// An ok Status holds nothing (a null pointer); only an error allocates.
#ifndef QVKDC_EXAMINE_STATUS_H
#define QVKDC_EXAMINE_STATUS_H

#include <memory>
#include <string>
#include <utility>

class Status {
 public:
    // Ok.
    Status() = default;
    Status(const Status& other) : state_(other.state_ ? std::make_unique<State>(*other.state_) : nullptr) {}
    Status& operator=(const Status& other) {
        if (this != &other) state_ = other.state_ ? std::make_unique<State>(*other.state_) : nullptr;
        return *this;
    }
    Status(Status&&) noexcept = default;
    Status& operator=(Status&&) noexcept = default;
    ~Status() = default;

    static Status OK() { return Status(); }
    // The error the system reported with code (errno, or GetLastError() on
    // Windows): its text and whether it means "not found" are the
    // platform's (StatusPosix.cpp, StatusWindows.cpp).
    // REQUIRES: code is not 0.
    static Status FromSystem(int code);
    // The error code, told in the platform layer's own words: text.
    // Never "not found": what the words tell is there.
    static Status FromSystem(int code, std::string text) { return Status(code, std::move(text), false); }
    // An error that no system call reported, in the platform layer's
    // words: code 0, never "not found".
    static Status Error(std::string text) { return Status(0, std::move(text), false); }

    bool ok() const { return state_ == nullptr; }
    // True when the file, or a folder on its path, is missing.
    bool IsNotFound() const { return state_ != nullptr && state_->notFound; }
    // The system's error code; 0 when ok or when no system call reported
    // the error.
    int code() const { return state_ != nullptr ? state_->code : 0; }
    // The reason in one line, without a full stop; "" when ok.
    std::string ToString() const { return state_ != nullptr ? state_->text : std::string(); }

 private:
    struct State {
        int code;
        bool notFound;
        std::string text;
    };
    Status(int code, std::string text, bool notFound)
        : state_(std::make_unique<State>(State{code, notFound, std::move(text)})) {}

    std::unique_ptr<State> state_;  // null: ok
};

#endif  // QVKDC_EXAMINE_STATUS_H
