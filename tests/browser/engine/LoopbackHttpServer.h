#pragma once

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

// What the server answers for one path.
struct HttpReply {
    using Headers = std::vector<std::pair<std::string, std::string>>;
    HttpReply(int status = 200, std::string contentType = "text/html", std::string body = {},
              Headers headers = {}, std::string requiredAuthorization = {})
        : status(status), contentType(std::move(contentType)), body(std::move(body)),
          headers(std::move(headers)), requiredAuthorization(std::move(requiredAuthorization)) {}

    int status = 200;
    std::string contentType = "text/html";
    std::string body;
    std::vector<std::pair<std::string, std::string>> headers;
    // When set, requests without this Authorization header value are answered
    // 401 with a Basic challenge for the realm "plenfox".
    std::string requiredAuthorization;
    // When set, the connection breaks after this many bytes of the body
    // (the announced length stays the whole body's).
    long long breakAfter = -1;
    // When set, the server sends the head and the first half of the body,
    // then holds the rest back this long (or until it stops): a load that
    // stays in progress.
    int holdMs = 0;
};

// A small HTTP/1.1 server on 127.0.0.1 and a free port, serving fixed replies
// per path (the query is ignored) and recording the paths asked for. Each
// connection is answered once and closed.
class LoopbackHttpServer {
public:
    LoopbackHttpServer();
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    int port() const { return port_; }
    std::string url(const std::string& path) const;
    void route(const std::string& path, HttpReply reply);
    // How often the path was asked for.
    int hits(const std::string& path) const;
    // The request line and headers of the latest request for the path.
    std::string lastRequest(const std::string& path) const;

    // A loopback port on which nothing listens.
    static int closedPort();

private:
    void acceptLoop();
    void serve(int connection);
    void hold(int milliseconds) const;

    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    mutable std::mutex lock_;
    std::map<std::string, HttpReply> routes_;
    std::map<std::string, int> hits_;
    std::map<std::string, std::string> lastRequests_;
    std::thread acceptor_;
    std::vector<std::thread> workers_;
};
