// PageServer: serves one page and its live state over HTTP on the loopback
// address, for `qvkdc check --serve`: the page at "/", its state as JSON at
// "/state", and at "/events" a stream of that state, sent each time it
// changes (server-sent events), which the page follows to show a new
// result without being reloaded. HTTP is Boost.Beast's; the server runs on
// a thread of its own.
//
// It is small on purpose: it listens on 127.0.0.1 only; it answers only
// GET, only for those three paths, and only requests whose Host is
// 127.0.0.1 or localhost with its port (a page of another site cannot
// reach it through a name that leads here, DNS rebinding); it reads no
// request body and serves nothing from disk; it follows at most kMaxPages
// pages and keeps at most kMaxConnections connections at once (more are
// closed at once), and a connection that sends nothing goes after a few
// seconds.
#ifndef QVKDC_TOOLS_SERVE_PAGESERVER_H
#define QVKDC_TOOLS_SERVE_PAGESERVER_H

#include <cstdint>
#include <memory>
#include <string>

class PageServer {
 public:
    static constexpr int kMaxPages = 16;
    static constexpr int kMaxConnections = 64;

    PageServer();
    // Stops serving.
    ~PageServer();
    PageServer(const PageServer&) = delete;
    PageServer& operator=(const PageServer&) = delete;

    // Binds 127.0.0.1:port (0: a free port) and serves. Returns the port,
    // or -1 with why in *why.
    int Start(int port, std::string* why);
    // Closes the port and every connection. Idempotent.
    void Stop();

    // The page and its state from now on; every open page is told.
    void Publish(std::string page, std::string state);
    // The state alone (a check runs: the page stays until its result).
    void PublishState(std::string state);

    // The server and its connections, in PageServer.cpp.
    class Impl;

 private:
    std::unique_ptr<Impl> impl_;
};

#endif  // QVKDC_TOOLS_SERVE_PAGESERVER_H
