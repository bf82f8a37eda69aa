#include "LoopbackHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include <zlib.h>

namespace {

int listenOnLoopback(int& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        throw std::runtime_error("socket failed");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, 64) != 0) {
        ::close(fd);
        throw std::runtime_error("bind or listen failed");
    }
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return fd;
}

bool sendAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t sent = ::send(fd, data, size, MSG_NOSIGNAL);
        if (sent <= 0)
            return false;
        data += sent;
        size -= static_cast<std::size_t>(sent);
    }
    return true;
}

std::string reasonOf(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 302:
        return "Found";
    case 405:
        return "Method Not Allowed";
    case 401:
        return "Unauthorized";
    case 404:
        return "Not Found";
    default:
        return "Status";
    }
}

} // namespace

LoopbackHttpServer::LoopbackHttpServer() {
    listener_ = listenOnLoopback(port_);
    acceptor_ = std::thread([this] { acceptLoop(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
    stopping_ = true;
    ::shutdown(listener_, SHUT_RDWR);
    acceptor_.join();
    ::close(listener_);
    std::vector<std::thread> workers;
    {
        std::lock_guard guard(lock_);
        workers = std::move(workers_);
    }
    for (auto& worker : workers)
        worker.join();
}

std::string LoopbackHttpServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void LoopbackHttpServer::route(const std::string& path, HttpReply reply) {
    std::lock_guard guard(lock_);
    routes_[path] = std::move(reply);
}

void LoopbackHttpServer::routeHead(const std::string& path, HttpReply reply) {
    std::lock_guard guard(lock_);
    headRoutes_[path] = std::move(reply);
}

std::vector<std::string> LoopbackHttpServer::methods(const std::string& path) const {
    std::lock_guard guard(lock_);
    const auto found = methods_.find(path);
    return found == methods_.end() ? std::vector<std::string>() : found->second;
}

int LoopbackHttpServer::hits(const std::string& path) const {
    std::lock_guard guard(lock_);
    const auto found = hits_.find(path);
    return found == hits_.end() ? 0 : found->second;
}

std::string LoopbackHttpServer::lastRequest(const std::string& path) const {
    std::lock_guard guard(lock_);
    const auto found = lastRequests_.find(path);
    return found == lastRequests_.end() ? std::string() : found->second;
}

int LoopbackHttpServer::closedPort() {
    int port = 0;
    const int fd = listenOnLoopback(port);
    ::close(fd);
    return port;
}

void LoopbackHttpServer::acceptLoop() {
    while (!stopping_) {
        pollfd waiting{listener_, POLLIN, 0};
        if (::poll(&waiting, 1, 100) <= 0)
            continue;
        const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0)
            continue;
        std::lock_guard guard(lock_);
        workers_.emplace_back([this, connection] { serve(connection); });
    }
}

void LoopbackHttpServer::hold(int milliseconds) const {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!stopping_ && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

void LoopbackHttpServer::serve(int connection) {
    // A client that never closes must not hold the server's shutdown.
    timeval timeout{5, 0};
    ::setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos) {
        pollfd waiting{connection, POLLIN, 0};
        if (stopping_ || ::poll(&waiting, 1, 5000) <= 0)
            break;
        const ssize_t count = ::recv(connection, buffer, sizeof buffer, 0);
        if (count <= 0)
            break;
        request.append(buffer, static_cast<std::size_t>(count));
    }
    const auto firstSpace = request.find(' ');
    const auto secondSpace = request.find(' ', firstSpace + 1);
    if (firstSpace == std::string::npos || secondSpace == std::string::npos) {
        ::close(connection);
        return;
    }
    const std::string method = request.substr(0, firstSpace);
    const bool head = method == "HEAD";
    std::string path = request.substr(firstSpace + 1, secondSpace - firstSpace - 1);
    path = path.substr(0, path.find('?'));
    HttpReply reply;
    {
        std::lock_guard guard(lock_);
        ++hits_[path];
        methods_[path].push_back(method);
        lastRequests_[path] = request.substr(0, request.find("\r\n\r\n"));
        const auto ownHead = headRoutes_.find(path);
        const auto found = routes_.find(path);
        if (head && ownHead != headRoutes_.end())
            reply = ownHead->second;
        else if (found != routes_.end())
            reply = found->second;
        else
            reply = HttpReply{404, "text/html", "<html><body>missing</body></html>", {}, {}};
    }
    if (!reply.requiredAuthorization.empty() &&
        request.find("\r\nAuthorization: " + reply.requiredAuthorization + "\r\n") ==
            std::string::npos)
        reply = HttpReply{401,
                          "text/html",
                          "<html><body>who are you</body></html>",
                          {{"WWW-Authenticate", "Basic realm=\"plenfox\""}},
                          {}};
    const std::string body = reply.gzip ? gzip(reply.body) : reply.body;
    std::string headText = "HTTP/1.1 " + std::to_string(reply.status) + " " +
                           reasonOf(reply.status) + "\r\nContent-Type: " + reply.contentType +
                           "\r\nConnection: close\r\n";
    headText += reply.chunked ? "Transfer-Encoding: chunked\r\n"
                              : "Content-Length: " + std::to_string(body.size()) + "\r\n";
    if (reply.gzip)
        headText += "Content-Encoding: gzip\r\n";
    for (const auto& [name, value] : reply.headers)
        headText += name + ": " + value + "\r\n";
    headText += "\r\n";
    const int now = ++active_;
    for (int most = mostActive_; now > most && !mostActive_.compare_exchange_weak(most, now);) {
    }
    if (sendAll(connection, headText.data(), headText.size()) && !head &&
        sendBody(connection, reply, body) && reply.cutAfterLastByte) {
        // A reset instead of an orderly close: nothing more reaches the client.
        linger cut{1, 0};
        ::setsockopt(connection, SOL_SOCKET, SO_LINGER, &cut, sizeof cut);
        --active_;
        ::close(connection);
        return;
    }
    ::shutdown(connection, SHUT_WR);
    // Let the client read everything before the socket closes.
    while (::recv(connection, buffer, sizeof buffer, 0) > 0) {
    }
    --active_;
    ::close(connection);
}

bool LoopbackHttpServer::sendBody(int connection, const HttpReply& reply,
                                  const std::string& body) const {
    const std::size_t bodyBytes =
        reply.breakAfter >= 0 ? std::min(body.size(), std::size_t(reply.breakAfter)) : body.size();
    if (reply.firstByteDelayMs > 0)
        hold(reply.firstByteDelayMs);
    // Pieces: the paced ones, or the two halves around a hold, or the whole.
    std::vector<std::pair<std::size_t, std::size_t>> pieces;
    if (reply.pieceBytes > 0) {
        for (std::size_t at = 0; at < bodyBytes; at += reply.pieceBytes)
            pieces.emplace_back(at, std::min(reply.pieceBytes, bodyBytes - at));
    } else if (reply.holdMs > 0) {
        pieces.emplace_back(0, bodyBytes / 2);
        pieces.emplace_back(bodyBytes / 2, bodyBytes - bodyBytes / 2);
    } else {
        pieces.emplace_back(0, bodyBytes);
    }
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            hold(reply.pieceBytes > 0 ? reply.pieceIntervalMs : reply.holdMs);
        if (stopping_)
            return false;
        const auto [at, size] = pieces[i];
        if (size == 0)
            continue;
        if (reply.chunked) {
            char size16[32];
            std::snprintf(size16, sizeof size16, "%zx\r\n", size);
            if (!sendAll(connection, size16, std::strlen(size16)))
                return false;
        }
        if (!sendAll(connection, body.data() + at, size))
            return false;
        if (reply.chunked && !sendAll(connection, "\r\n", 2))
            return false;
    }
    // A broken or cut transfer never sends the closing chunk.
    if (reply.chunked && reply.breakAfter < 0 && !reply.cutAfterLastByte)
        return sendAll(connection, "0\r\n\r\n", 5);
    return true;
}

std::string LoopbackHttpServer::gzip(const std::string& bytes) {
    z_stream stream{};
    // 16 added to the window bits asks for the gzip wrapper.
    if (deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2 failed");
    std::string packed(deflateBound(&stream, static_cast<uLong>(bytes.size())) + 32, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(packed.data());
    stream.avail_out = static_cast<uInt>(packed.size());
    const int result = deflate(&stream, Z_FINISH);
    deflateEnd(&stream);
    if (result != Z_STREAM_END)
        throw std::runtime_error("deflate failed");
    packed.resize(stream.total_out);
    return packed;
}
