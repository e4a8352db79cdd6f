// HostErrors: calls of the stand-in host with arguments that the host's own
// libraries do not accept, one line each, kept until the next reset. The
// call itself goes on as the host's would; the line is for the tests and
// the command-line host to report.
#ifndef QVHOSTSIM_HOSTERRORS_H
#define QVHOSTSIM_HOSTERRORS_H

#include <string>
#include <string_view>

namespace qvsim {

class HostErrors {
 public:
    // Appends line and a line feed.
    void Add(std::string_view line);
    const std::string& Text() const { return text_; }
    void Clear() { text_.clear(); }

 private:
    std::string text_;
};

// The one error record of the stand-in host.
HostErrors& TheHostErrors();

}  // namespace qvsim

#endif  // QVHOSTSIM_HOSTERRORS_H
