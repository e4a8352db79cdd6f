#include "serve/LiveCheck.h"

#include <nlohmann/json.hpp>

#include <ctime>
#include <iostream>
#include <thread>

#include "serve/PageServer.h"
#include "serve/WatchedFiles.h"
#include "system/StopRequest.h"
#include "system/Terminal.h"

namespace {

// The state the page shows and follows: the number of the latest result,
// whether a check runs, when the result was made, from which files, and
// its summary.
std::string State(int result, bool running, const std::string& made, const std::vector<std::string>& files,
                  const std::string& summary) {
    const nlohmann::json state = {{"result", result}, {"running", running}, {"made", made},
                                  {"files", files},   {"summary", summary}};
    return state.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string Now() {
    char text[32];
    const std::time_t now = std::time(nullptr);
    // One thread makes the text: localtime's shared result is safe here.
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", std::localtime(&now));
    return text;
}

// Follows /events: shows the state in the line at the top; when a new
// result is made, fetches the page and puts its body in place of this
// one's, where the reader was.
constexpr char kLiveBar[] =
    R"(<div id="qvkdc-live" role="status" style="position:sticky;top:0;z-index:9;padding:.3em .6em;background:#fff8d8;)"
    R"(border-bottom:1px solid #d8c98a;font:13px sans-serif" data-result=")";
constexpr char kLiveScript[] = R"("></div>
<script>
(function () {
  var shown = Number(document.getElementById('qvkdc-live').getAttribute('data-result'));
  function line(text) { var bar = document.getElementById('qvkdc-live'); if (bar) bar.textContent = text; }
  function show(s) {
    line((s.running ? 'Checking again after a change\u2026 ' : '') + 'Result of ' + s.made + ': ' + s.summary +
         ' \u00b7 from ' + s.files.join(', '));
  }
  var events = new EventSource('/events');
  events.onmessage = function (e) {
    var s = JSON.parse(e.data);
    if (s.running || s.result === shown) { show(s); return; }
    fetch('/', {cache: 'no-store'}).then(function (r) { return r.text(); }).then(function (text) {
      var fresh = new DOMParser().parseFromString(text, 'text/html');
      var x = window.scrollX, y = window.scrollY;
      document.title = fresh.title;
      document.body.replaceWith(document.adoptNode(fresh.body));
      window.scrollTo(x, y);
      shown = s.result;
      show(s);
    });
  };
  events.onerror = function () { line('The page no longer follows the check: qvkdc check --serve has ended.'); };
})();
</script>
)";

}  // namespace

std::string LivePage(const std::string& html, int result) {
    const std::size_t end = html.rfind("</body>");
    std::string page = html;
    page.insert(end == std::string::npos ? page.size() : end, kLiveBar + std::to_string(result) + kLiveScript);
    return page;
}

int ServeLiveCheck(const LiveCheckOptions& options, const std::function<CheckedPage()>& check, std::ostream& out) {
    const StopRequest stop;
    PageServer server;
    std::string why;
    const int port = server.Start(options.port, &why);
    if (port < 0) {
        std::cerr << "qvkdc: check --serve: " << why << '\n';
        return 2;
    }
    const std::string address = "http://127.0.0.1:" + std::to_string(port) + "/";
    out << address << std::endl;
    std::cerr << "qvkdc: serving the check's page at " << address
              << "; it checks again when a file changes; Ctrl-C ends it\n";
    WatchedFiles files(options.files, options.settle);
    std::string made, summary;
    int result = 0;
    const auto checkAndPublish = [&] {
        const CheckedPage page = check();
        made = Now();
        summary = page.summary;
        ++result;
        server.Publish(LivePage(page.html, result), State(result, false, made, options.files, summary));
    };
    checkAndPublish();
    if (options.open) OpenInBrowser(address);
    while (!StopRequest::Asked()) {
        std::this_thread::sleep_for(options.poll);
        if (!files.Poll()) continue;
        server.PublishState(State(result, true, made, options.files, summary));
        checkAndPublish();
    }
    server.Stop();
    std::cerr << "qvkdc: check --serve ended\n";
    return 0;
}
