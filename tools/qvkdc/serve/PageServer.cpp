#include "serve/PageServer.h"

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/write.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>

#include <chrono>
#include <deque>
#include <list>
#include <optional>
#include <thread>
#include <utility>

namespace beast = boost::beast;
namespace http = beast::http;
namespace net = boost::asio;
using tcp = net::ip::tcp;

namespace {

// A connection that sends or takes nothing for this long is closed.
constexpr auto kIdle = std::chrono::seconds(3);
// A comment on each event stream this often, so that a closed page is
// noticed by the write that fails.
constexpr auto kHeartbeat = std::chrono::seconds(10);
constexpr std::uint32_t kHeaderLimit = 8 * 1024;

class Connection;

}  // namespace

// Everything below runs on the server's thread, but Publish and Stop,
// which post their work to it.
class PageServer::Impl {
 public:
    Impl() : ioc_(std::make_unique<net::io_context>(1)), acceptor_(std::in_place, *ioc_) {}
    ~Impl() {
        Stop();
        // The acceptor goes before its context, whose end ends every
        // connection still waiting.
        acceptor_.reset();
        ioc_.reset();
    }

    int Start(int port, std::string* why);
    void Stop();
    void Publish(std::optional<std::string> page, std::string state);

    const std::string& Page() const { return page_; }
    const std::string& State() const { return state_; }
    int port() const { return port_; }
    // A connection opens or ends.
    void Opened() { ++connections_; }
    void Closed() { --connections_; }
    // Whether another page may follow the events; if so it is counted.
    bool Follow(const std::shared_ptr<Connection>& page);

 private:
    void Accept();

    std::unique_ptr<net::io_context> ioc_;
    std::optional<tcp::acceptor> acceptor_;
    std::thread thread_;
    int port_ = 0;
    std::string page_;
    std::string state_ = "{}";
    int connections_ = 0;
    std::list<std::weak_ptr<Connection>> pages_;  // following the events
    bool stopped_ = false;
};

namespace {

http::response<http::string_body> Answer(http::status status, unsigned version, std::string body,
                                         const char* type = "text/plain; charset=utf-8") {
    http::response<http::string_body> res{status, version};
    res.set(http::field::content_type, type);
    res.set(http::field::cache_control, "no-store");
    res.set("X-Content-Type-Options", "nosniff");
    res.set("Referrer-Policy", "no-referrer");
    res.body() = std::move(body);
    res.prepare_payload();
    return res;
}

// One connection: requests read one after the other and answered, or,
// after a GET of /events, an event stream until the page goes.
class Connection : public std::enable_shared_from_this<Connection> {
 public:
    Connection(tcp::socket socket, PageServer::Impl* server)
        : stream_(std::move(socket)), heartbeat_(stream_.get_executor()), server_(server) {
        server_->Opened();
    }
    ~Connection() { server_->Closed(); }

    void Read() {
        parser_.emplace();
        parser_->header_limit(kHeaderLimit);
        parser_->body_limit(0);
        stream_.expires_after(kIdle);
        http::async_read(stream_, buffer_, *parser_,
                         [self = shared_from_this()](beast::error_code ec, std::size_t) {
                             if (ec) return self->Close();
                             self->Respond();
                         });
    }

    // Sends the state to a page that follows the events.
    void Send(const std::string& state) { Queue("data: " + state + "\n\n"); }

    void Close() {
        beast::error_code ec;
        heartbeat_.cancel();
        stream_.socket().shutdown(tcp::socket::shutdown_both, ec);
        stream_.close();
    }

 private:
    void Respond() {
        const auto& req = parser_->get();
        const unsigned version = req.version();
        const std::string port = ":" + std::to_string(server_->port());
        const std::string host(req[http::field::host]);
        const std::string path(req.target());
        if (host != "127.0.0.1" + port && host != "localhost" + port) {
            return Write(Answer(http::status::misdirected_request, version,
                                "this server answers only to 127.0.0.1 and localhost\n"));
        }
        if (req.method() != http::verb::get) {
            auto res = Answer(http::status::method_not_allowed, version, "only GET is answered\n");
            res.set(http::field::allow, "GET");
            return Write(std::move(res));
        }
        if (path == "/") return Write(Answer(http::status::ok, version, server_->Page(), "text/html; charset=utf-8"));
        if (path == "/state") return Write(Answer(http::status::ok, version, server_->State(), "application/json"));
        if (path == "/events") return Follow(version);
        Write(Answer(http::status::not_found, version, "there is nothing here but the page\n"));
    }

    void Write(http::response<http::string_body>&& res) {
        res.keep_alive(parser_->get().keep_alive());
        res_ = std::move(res);
        stream_.expires_after(kIdle);
        http::async_write(stream_, res_, [self = shared_from_this()](beast::error_code ec, std::size_t) {
            if (ec || !self->res_.keep_alive()) return self->Close();
            self->Read();
        });
    }

    void Follow(unsigned version) {
        if (!server_->Follow(shared_from_this())) {
            return Write(Answer(http::status::service_unavailable, version,
                                "too many pages follow this server; close one\n"));
        }
        head_.emplace(http::status::ok, version);
        head_->set(http::field::content_type, "text/event-stream");
        head_->set(http::field::cache_control, "no-store");
        head_->keep_alive(false);
        serializer_.emplace(*head_);
        stream_.expires_after(kIdle);
        http::async_write_header(stream_, *serializer_, [self = shared_from_this()](beast::error_code ec, std::size_t) {
            if (ec) return self->Close();
            self->following_ = true;
            self->Send(self->server_->State());
            self->Beat();
        });
    }

    void Beat() {
        heartbeat_.expires_after(kHeartbeat);
        heartbeat_.async_wait([self = shared_from_this()](beast::error_code ec) {
            if (ec) return;
            self->Queue(": alive\n\n");
            self->Beat();
        });
    }

    void Queue(std::string message) {
        if (!following_) return;
        queue_.push_back(std::move(message));
        if (queue_.size() == 1) WriteNext();
    }

    void WriteNext() {
        stream_.expires_after(kIdle);
        net::async_write(stream_, net::buffer(queue_.front()),
                         [self = shared_from_this()](beast::error_code ec, std::size_t) {
                             if (ec) return self->Close();
                             self->queue_.pop_front();
                             if (!self->queue_.empty()) self->WriteNext();
                         });
    }

    beast::tcp_stream stream_;
    beast::flat_buffer buffer_;
    net::steady_timer heartbeat_;
    PageServer::Impl* server_;
    std::optional<http::request_parser<http::empty_body>> parser_;
    http::response<http::string_body> res_;
    std::optional<http::response<http::empty_body>> head_;
    std::optional<http::response_serializer<http::empty_body>> serializer_;
    std::deque<std::string> queue_;
    bool following_ = false;
};

}  // namespace

int PageServer::Impl::Start(int port, std::string* why) {
    beast::error_code ec;
    const tcp::endpoint at(net::ip::make_address("127.0.0.1"), static_cast<unsigned short>(port));
    acceptor_->open(at.protocol(), ec);
    if (!ec) acceptor_->bind(at, ec);
    if (!ec) acceptor_->listen(net::socket_base::max_listen_connections, ec);
    if (ec) {
        *why = "127.0.0.1:" + std::to_string(port) + ": " + ec.message();
        return -1;
    }
    port_ = acceptor_->local_endpoint().port();
    Accept();
    thread_ = std::thread([this] { ioc_->run(); });
    return port_;
}

void PageServer::Impl::Stop() {
    if (!thread_.joinable()) return;
    net::post(*ioc_, [this] {
        stopped_ = true;
        beast::error_code ec;
        acceptor_->close(ec);
        for (const std::weak_ptr<Connection>& page : pages_) {
            if (const auto open = page.lock()) open->Close();
        }
        ioc_->stop();
    });
    thread_.join();
}

void PageServer::Impl::Accept() {
    acceptor_->async_accept(*ioc_, [this](beast::error_code ec, tcp::socket socket) {
        if (stopped_ || ec == net::error::operation_aborted) return;
        if (!ec) {
            if (connections_ < kMaxConnections) {
                std::make_shared<Connection>(std::move(socket), this)->Read();
            } else {
                socket.close(ec);  // refused: too many at once
            }
        }
        Accept();
    });
}

bool PageServer::Impl::Follow(const std::shared_ptr<Connection>& page) {
    pages_.remove_if([](const std::weak_ptr<Connection>& p) { return p.expired(); });
    if (stopped_ || static_cast<int>(pages_.size()) >= kMaxPages) return false;
    pages_.push_back(page);
    return true;
}

void PageServer::Impl::Publish(std::optional<std::string> page, std::string state) {
    net::post(*ioc_, [this, page = std::move(page), state = std::move(state)]() mutable {
        if (page) page_ = std::move(*page);
        state_ = std::move(state);
        for (const std::weak_ptr<Connection>& p : pages_) {
            if (const auto open = p.lock()) open->Send(state_);
        }
    });
}

PageServer::PageServer() : impl_(std::make_unique<Impl>()) {}

PageServer::~PageServer() = default;

int PageServer::Start(int port, std::string* why) { return impl_->Start(port, why); }

void PageServer::Stop() { impl_->Stop(); }

void PageServer::Publish(std::string page, std::string state) { impl_->Publish(std::move(page), std::move(state)); }

void PageServer::PublishState(std::string state) { impl_->Publish(std::nullopt, std::move(state)); }
