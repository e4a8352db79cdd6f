// LiveCheck: `qvkdc check --serve`: checks, serves the check's page
// (PageServer) and checks again each time a watched file changes
// (WatchedFiles), until Ctrl-C or SIGTERM (StopRequest). Every open page
// follows: it says when a check runs, then shows the new result where the
// reader was on it, with when it was made and from which files.
#ifndef QVKDC_TOOLS_SERVE_LIVECHECK_H
#define QVKDC_TOOLS_SERVE_LIVECHECK_H

#include <chrono>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

struct LiveCheckOptions {
    int port = 0;                     // 0: a free port
    bool open = false;                // open the page in the system's browser
    std::vector<std::string> files;   // the files watched, absolute
    // How often the files are looked at, and how long they stay alike
    // before they are checked again.
    std::chrono::milliseconds poll{250};
    std::chrono::milliseconds settle{300};
};

// One check: its page (HTML) and its one-line summary.
struct CheckedPage {
    std::string html;
    std::string summary;
};

// Runs until a stop is asked for. check runs the check. The address goes to
// out as the first line. Returns 0, or 2 when the port could not be had.
int ServeLiveCheck(const LiveCheckOptions& options, const std::function<CheckedPage()>& check, std::ostream& out);

// The page of the result-th result, with what follows the server put in
// before its end: a line of the result's state and the script that keeps
// the page current.
std::string LivePage(const std::string& html, int result);

#endif  // QVKDC_TOOLS_SERVE_LIVECHECK_H
