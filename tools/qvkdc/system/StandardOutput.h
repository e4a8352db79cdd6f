// StandardOutput: qvkdc's standard output, every write checked to its close.
//
// While the object lives, std::cout writes through it: the bytes gather in
// a buffer and go out in large writes, when the buffer is full and at every
// flush (std::flush, std::endl, and before anything is read or written on
// stderr, which std::cout is tied to). The first failure is kept with the
// system's reason; from then on nothing more is written, and std::cout is
// in a failed state, so that a long listing stops at once. Close writes
// what is left and closes the standard output, so that a failure of the
// last write or of the close is caught too.
#ifndef QVKDC_TOOLS_SYSTEM_STANDARDOUTPUT_H
#define QVKDC_TOOLS_SYSTEM_STANDARDOUTPUT_H

#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

class StandardOutput : public std::streambuf {
 public:
    // REQUIRES: no other StandardOutput lives.
    StandardOutput();
    // Puts std::cout's own buffer back.
    ~StandardOutput() override;
    StandardOutput(const StandardOutput&) = delete;
    StandardOutput& operator=(const StandardOutput&) = delete;

    // The first time: writes what is buffered and closes the standard
    // output; when a write, the flush or the close failed, tells so on
    // stderr ("qvkdc: standard output: cannot be written: REASON"). Returns
    // code, or CombinedExit(code, kExitOutput) after a failure; later calls
    // return the same for their code and tell nothing. Without a living
    // StandardOutput it flushes std::cout and returns code.
    static int Close(int code);

 protected:
    int_type overflow(int_type c) override;
    int sync() override;

 private:
    // Writes the buffered bytes, unless a write failed before. False after
    // a failure.
    bool WriteBuffered();

    std::vector<char> buffer_;
    std::streambuf* own_ = nullptr;  // std::cout's buffer before this one
    std::string failure_;            // the system's reason; "" while none
    bool closed_ = false;
};

// The platform's part (StandardOutputPosix.cpp, StandardOutputWindows.cpp).
// Writes all of bytes to the standard output: "" or the system's reason.
std::string WriteToStandardOutput(std::string_view bytes);
// Closes the standard output: "" or the system's reason.
std::string CloseStandardOutput();

#endif  // QVKDC_TOOLS_SYSTEM_STANDARDOUTPUT_H
