// The page server of `qvkdc check --serve`, spoken to over loopback: what it
// serves, what it refuses while it keeps serving, and the events a page
// follows.
#include <gtest/gtest.h>

#include <boost/asio/write.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "serve/PageServer.h"

namespace {

namespace beast = boost::beast;
namespace http = beast::http;
namespace net = boost::asio;
using tcp = net::ip::tcp;

struct Got {
    int status = 0;  // 0: no answer (refused, or closed without one)
    std::string body;
};

tcp::endpoint Loopback(int port) {
    return tcp::endpoint(net::ip::make_address("127.0.0.1"), static_cast<unsigned short>(port));
}

// One request on a connection of its own. host: the Host header; "" for
// the server's own address.
Got Fetch(int port, const std::string& target, http::verb method = http::verb::get, std::string host = "") {
    net::io_context ioc;
    beast::tcp_stream stream(ioc);
    stream.expires_after(std::chrono::seconds(10));
    beast::error_code ec;
    stream.socket().connect(Loopback(port), ec);
    Got got;
    if (ec) return got;
    http::request<http::string_body> req{method, target, 11};
    req.set(http::field::host, host.empty() ? "127.0.0.1:" + std::to_string(port) : host);
    req.prepare_payload();
    http::write(stream, req, ec);
    beast::flat_buffer buffer;
    http::response<http::string_body> res;
    http::read(stream, buffer, res, ec);
    if (ec) return got;
    got.status = static_cast<int>(res.result_int());
    got.body = res.body();
    return got;
}

// A page that follows the events, read as bytes: the status of the answer,
// then each event. Every read gives up after ten seconds.
class Follower {
 public:
    explicit Follower(int port) : socket_(ioc_) {
        beast::error_code ec;
        socket_.connect(Loopback(port), ec);
        const std::string req = "GET /events HTTP/1.1\r\nHost: localhost:" + std::to_string(port) + "\r\n\r\n";
        if (ec || net::write(socket_, net::buffer(req), ec) != req.size()) return;
        std::size_t head;
        while ((head = text_.find("\r\n\r\n")) == std::string::npos) {
            if (!ReadMore()) return;
        }
        status_ = std::stoi(text_.substr(9, 3));
        text_.erase(0, head + 4);
    }
    int status() const { return status_; }
    // The next "data:" event's text; "<closed>" when the stream ends.
    std::string Next() {
        for (;;) {
            const std::size_t end = text_.find("\n\n");
            if (end == std::string::npos) {
                if (!ReadMore()) return "<closed>";
                continue;
            }
            const std::string event = text_.substr(0, end);
            text_.erase(0, end + 2);
            if (event.rfind("data: ", 0) == 0) return event.substr(6);
        }
    }

 private:
    bool ReadMore() {
        char chunk[4096];
        bool read = false;
        socket_.async_read_some(net::buffer(chunk), [&](beast::error_code ec, std::size_t n) {
            read = !ec;
            text_.append(chunk, n);
        });
        ioc_.restart();
        if (ioc_.run_for(std::chrono::seconds(10)) == 0) {
            socket_.cancel();
            ioc_.restart();
            ioc_.run();
        }
        return read;
    }

    net::io_context ioc_;
    tcp::socket socket_;
    std::string text_;
    int status_ = 0;
};

TEST(PageServerTest, ServesThePageAndRefusesTheRestWhileItKeepsServing) {
    PageServer server;
    std::string why;
    const int port = server.Start(0, &why);
    ASSERT_GT(port, 0) << why;
    server.Publish("<p>first</p>", R"({"result": 1})");
    EXPECT_EQ(Fetch(port, "/").body, "<p>first</p>");
    EXPECT_EQ(Fetch(port, "/state").body, R"({"result": 1})");
    const struct {
        const char* what;
        std::string target;
        http::verb method;
        std::string host;
        int status;
    } refused[] = {
        {"another host, as a rebound name gives", "/", http::verb::get, "evil.example:" + std::to_string(port), 421},
        {"the right name on another port", "/", http::verb::get, "localhost:1", 421},
        {"a method that would change something", "/", http::verb::post, "", 405},
        {"a path outside the page", "/../etc/passwd", http::verb::get, "", 404},
        {"a file of the root", "/MIRVANE/CAM/KR/Tables/ExteriorTable.tsv", http::verb::get, "", 404},
    };
    for (const auto& r : refused) {
        EXPECT_EQ(Fetch(port, r.target, r.method, r.host).status, r.status) << r.what;
        EXPECT_EQ(Fetch(port, "/").status, 200) << "after " << r.what;
    }
    // More pages than it follows: the one too many is refused; more
    // connections than it keeps: the ones too many are closed.
    std::vector<std::unique_ptr<Follower>> pages;
    for (int i = 0; i < PageServer::kMaxPages; ++i) {
        pages.push_back(std::make_unique<Follower>(port));
        EXPECT_EQ(pages.back()->status(), 200);
    }
    EXPECT_EQ(Follower(port).status(), 503);
    EXPECT_EQ(Fetch(port, "/").status, 200);
    pages.clear();
    {
        net::io_context ioc;
        std::vector<std::unique_ptr<tcp::socket>> idle;
        for (int i = 0; i < PageServer::kMaxConnections + 8; ++i) {
            idle.push_back(std::make_unique<tcp::socket>(ioc));
            beast::error_code ec;
            idle.back()->connect(Loopback(port), ec);
        }
        EXPECT_EQ(Fetch(port, "/").status, 0);  // no answer: the crowd holds every place
    }
    // The crowd gone, it serves again at once.
    Got after;
    for (int i = 0; i < 50 && after.status != 200; ++i) {
        after = Fetch(port, "/");
    }
    EXPECT_EQ(after.status, 200);
    server.Stop();
    EXPECT_EQ(Fetch(port, "/").status, 0);
}

TEST(PageServerTest, EveryPageIsToldEachNewState) {
    PageServer server;
    std::string why;
    const int port = server.Start(0, &why);
    ASSERT_GT(port, 0) << why;
    server.Publish("<p>one</p>", R"({"result": 1})");
    Follower first(port), second(port);
    EXPECT_EQ(first.Next(), R"({"result": 1})");
    EXPECT_EQ(second.Next(), R"({"result": 1})");
    server.PublishState(R"({"result": 1, "running": true})");
    server.Publish("<p>two</p>", R"({"result": 2})");
    for (Follower* page : {&first, &second}) {
        EXPECT_EQ(page->Next(), R"({"result": 1, "running": true})");
        EXPECT_EQ(page->Next(), R"({"result": 2})");
    }
    EXPECT_EQ(Fetch(port, "/").body, "<p>two</p>");
    server.Stop();
    EXPECT_EQ(first.Next(), "<closed>");
}

}  // namespace
