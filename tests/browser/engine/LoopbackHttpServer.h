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
    // A reply that offers its body as a download of that name.
    static HttpReply attachment(std::string contentType, const std::string& name,
                                std::string body) {
        return {200,
                std::move(contentType),
                std::move(body),
                {{"Content-Disposition", "attachment; filename=\"" + name + "\""}}};
    }

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

    // Sent without a length, in chunks (Transfer-Encoding: chunked).
    bool chunked = false;
    // The body is sent gzip-compressed (Content-Encoding: gzip); a length,
    // when sent, is the compressed one.
    bool gzip = false;
    // The first body byte leaves this long after the head.
    int firstByteDelayMs = 0;
    // The body leaves in pieces of this many bytes, pieceIntervalMs apart
    // (0: all at once). Each piece of a chunked body is one chunk.
    std::size_t pieceBytes = 0;
    int pieceIntervalMs = 0;
    // The connection is reset right after the last body byte: a chunked body
    // then lacks its closing chunk, a sized one is whole but never closed.
    bool cutAfterLastByte = false;
};

// A small HTTP/1.1 server on 127.0.0.1 and a free port, serving fixed replies
// per path (the query is ignored) and recording the paths asked for. Each
// connection is answered once and closed. HEAD is answered with the head of
// the GET reply unless a reply of its own is routed for it.
class LoopbackHttpServer {
public:
    LoopbackHttpServer();
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    int port() const { return port_; }
    std::string url(const std::string& path) const;
    void route(const std::string& path, HttpReply reply);
    // A reply for HEAD requests of the path that differs from the GET reply.
    void routeHead(const std::string& path, HttpReply reply);
    // How often the path was asked for.
    int hits(const std::string& path) const;
    // The methods of the requests for the path, in order of arrival.
    std::vector<std::string> methods(const std::string& path) const;
    // The request line and headers of the latest request for the path.
    std::string lastRequest(const std::string& path) const;
    // Connections whose answer is still being sent.
    int activeReplies() const { return active_; }
    // The most connections answered at the same time so far.
    int mostActiveReplies() const { return mostActive_; }

    // A loopback port on which nothing listens.
    static int closedPort();
    // The bytes in the gzip format.
    static std::string gzip(const std::string& bytes);

private:
    void acceptLoop();
    void serve(int connection);
    void hold(int milliseconds) const;
    // Sends the body as the reply's pacing and framing ask; false when the
    // client went away.
    bool sendBody(int connection, const HttpReply& reply, const std::string& body) const;

    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::atomic<int> active_{0};
    std::atomic<int> mostActive_{0};
    mutable std::mutex lock_;
    std::map<std::string, HttpReply> routes_;
    std::map<std::string, HttpReply> headRoutes_;
    std::map<std::string, int> hits_;
    std::map<std::string, std::vector<std::string>> methods_;
    std::map<std::string, std::string> lastRequests_;
    std::thread acceptor_;
    std::vector<std::thread> workers_;
};
